"""The system menu in both languages and both Windows locales, going to the
tray and back, the tray tooltip, the tray's popup menu, closing from the tray,
and the position memory for a change of screen size."""

import datetime
import re
import time

import pytest

import harness as H
from harness import wait_for
from harness.leaks import check_no_leak
from harness.settings_file import settings_file
from model import menu as M
from pages.indicator import Indicator, tray_tips

TEXTS = {H.SC_MINIMIZE: M.MINIMIZE_TEXT, H.SC_RESTORE: M.RESTORE_TEXT, M.CLOCK: M.CLOCK_TEXT,
         M.CALENDAR: M.CALENDAR_TEXT, M.ABOUT: M.ABOUT_TEXT, M.TOPMOST: M.TOPMOST_TEXT}


def check_menu(menu, language, in_tray=False, topmost=True):
    shown = H.SC_RESTORE if in_tray else H.SC_MINIMIZE
    gone = H.SC_MINIMIZE if in_tray else H.SC_RESTORE
    assert gone not in menu
    for command in (shown, M.CLOCK, M.CALENDAR, M.ABOUT, M.TOPMOST):
        assert menu[command].text == TEXTS[command].in_language(language), (command, menu[command])
    assert menu[M.RUSSIAN].text == M.RUSSIAN_TEXT.in_language(language)
    assert menu[M.ENGLISH].text == M.ENGLISH_TEXT.in_language(language)
    assert menu[M.RUSSIAN].checked == (language == "Rus")
    assert menu[M.ENGLISH].checked == (language == "Eng")
    assert menu[M.TOPMOST].checked == topmost
    assert H.SC_MAXIMIZE not in menu
    assert H.SC_SIZE not in menu
    # The program's items come in their order after the standard ones.
    ids = [i for i in menu.ids() if i in TEXTS or i in (M.RUSSIAN, M.ENGLISH)]
    assert ids == [shown, M.CLOCK, M.CALENDAR, M.RUSSIAN, M.ENGLISH, M.ABOUT, M.TOPMOST]


@pytest.mark.parametrize("locale", ["en", "ru"])
def test_menu_texts_and_checks_in_both_languages(clocks, driver, shot, locale):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Rus", "Topmost": 0}}), locale=locale,
                         local_time="12:00:00")
    check_menu(clock.menu(), "Rus", topmost=False)
    clock.command(M.ENGLISH)
    wait_for(lambda: clock.menu()[M.ENGLISH].checked, what="English checked")
    check_menu(clock.menu(), "Eng", topmost=False)
    clock.command(M.TOPMOST)
    wait_for(lambda: clock.menu()[M.TOPMOST].checked, what="always on top checked")
    check_menu(clock.menu(), "Eng", topmost=True)
    shot(f"indicator-{locale}")
    clock.command(M.RUSSIAN)
    wait_for(lambda: clock.menu()[M.RUSSIAN].checked, what="Russian checked")
    check_menu(clock.menu(), "Rus", topmost=True)
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["Language"], status["Topmost"]) == ("Rus", "1")


def test_tray_round_trip(clocks, wine, driver):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Position": {"X": 200, "Y": 300}}),
                         local_time="12:00:00")
    time.sleep(1.2)
    # SC_RESTORE while shown does nothing.
    clock.command(H.SC_RESTORE)
    time.sleep(0.5)
    assert clock.visible()
    check_menu(clock.menu(), "Eng")
    assert tray_tips(wine) == []
    rect = clock.rect()

    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator to hide")
    check_menu(clock.menu(), "Eng", in_tray=True)
    assert clock.rect() == rect

    # The tooltip follows the indicator text each second: time and date.
    first = wait_for(lambda: tray_tips(wine), what="a tray tooltip")
    assert len(first) == 1
    assert first[0].endswith(clock.title()) and first[0].startswith(" 12:")
    wait_for(lambda: tray_tips(wine) != first, timeout=5, what="the tooltip to change")
    assert clock.rect() == rect and not clock.visible()

    # A second minimise adds no icon and leaves the menu as it is.
    menu = clock.menu()
    clock.command(H.SC_MINIMIZE)
    time.sleep(1.2)
    assert [(i.id, i.state, i.text) for i in clock.menu()] == [(i.id, i.state, i.text) for i in menu]
    assert len(tray_tips(wine)) == 1

    # Language switched in the tray re-labels the restore item at once.
    clock.command(M.RUSSIAN)
    wait_for(lambda: clock.menu()[M.RUSSIAN].checked, what="Russian checked")
    check_menu(clock.menu(), "Rus", in_tray=True)
    clock.command(M.ENGLISH)
    wait_for(lambda: clock.menu()[M.ENGLISH].checked, what="English checked")
    check_menu(clock.menu(), "Eng", in_tray=True)

    # The tray icon's right-click shows the menu.
    indicator = Indicator(clock)
    assert indicator.popup_menus() == []
    indicator.escape_popup(indicator.right_click_tray_icon())

    clock.command(H.SC_RESTORE)
    wait_for(clock.visible, what="the indicator back")
    assert clock.rect()[:2] == rect[:2]
    check_menu(clock.menu(), "Eng")
    wait_for(lambda: tray_tips(wine) == [], what="the icon to go")
    assert clock.close() == 0
    assert clock.ini()["Position"]["TrayStatus"] == "0"


def test_tray_trips_do_not_grow_memory(clocks, driver):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}}), local_time="12:00:00")
    indicator = Indicator(clock)

    def trips(count):
        for _ in range(count):
            clock.command(H.SC_MINIMIZE)
            clock.command(H.SC_RESTORE)
        # Posted commands are handled in order: the topmost switch marks the end.
        was = indicator.topmost()
        clock.command(M.TOPMOST)
        wait_for(lambda: indicator.topmost() != was, timeout=240, what="the trips to be handled")

    # A private icon loaded and destroyed at every trip left some 120 bytes
    # each behind under Wine: 240 KB over these trips, well past the bound.
    check_no_leak(clock, trips, count=2000, warm_up=100)
    assert clock.visible()


def test_closed_in_tray_starts_in_tray(clocks, wine, shot):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}}))
    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator to hide")
    assert clock.close() == 0
    assert clock.ini()["Position"]["TrayStatus"] == "1"
    wait_for(lambda: tray_tips(wine) == [], what="the icon removed at close")

    again = clocks.start(cwd=clock.workdir)
    wait_for(lambda: not again.visible(), what="the second start to go to the tray")
    wait_for(lambda: len(tray_tips(wine)) == 1, what="one tray icon")
    check_menu(again.menu(), "Eng", in_tray=True)
    assert again.close() == 0
    assert again.ini()["Position"]["TrayStatus"] == "1"


def test_screen_size_change_remembers_places(desktop_clocks, desktop_wine):
    d = desktop_wine.driver
    clock = desktop_clocks.start(ini=settings_file({"Position": {"X": 600, "Y": 500, "X800": 40, "Y600": 30}}))
    Indicator(clock).sized()
    assert clock.rect()[:2] == (600, 500)
    try:
        d.display_mode(800, 600)
        wait_for(lambda: clock.rect()[:2] == (40, 30), timeout=5, what="the indicator at the stored X800/Y600")
    finally:
        d.display_mode(1024, 768)
    # Back on the big screen, the stored X1024/Y768 bring it back.
    wait_for(lambda: clock.rect()[:2] == (600, 500), timeout=5, what="the indicator back at X1024/Y768")
    assert clock.close() == 0
    pos = clock.ini()["Position"]
    assert (pos["X1024"], pos["Y768"]) == ("600", "500")
    assert (pos["X800"], pos["Y600"]) == ("40", "30")


def test_unreachable_tray_keeps_the_indicator_and_a_new_taskbar_gets_the_icon(clocks, wine, driver):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}}))
    Indicator(clock).sized()

    # Another icon holds the indicator's place in the tray, so adding ours fails:
    # the indicator must stay on screen with its menu unchanged.
    assert driver.cmd(f"notifyicon add {clock.hwnd:#x} 1") == "1"
    clock.command(H.SC_MINIMIZE)
    time.sleep(1.5)
    assert clock.visible()
    check_menu(clock.menu(), "Eng")
    assert driver.cmd(f"notifyicon delete {clock.hwnd:#x} 1") == "1"

    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator to hide")
    wait_for(lambda: len(tray_tips(wine)) == 1, what="the icon in the tray")

    # A restarted taskbar has lost every icon and says so with TaskbarCreated.
    assert driver.cmd(f"notifyicon delete {clock.hwnd:#x} 1") == "1"
    wait_for(lambda: tray_tips(wine) == [], what="the icon to be gone")
    driver.cmd(f"postregistered {clock.hwnd:#x} TaskbarCreated")
    wait_for(lambda: len(tray_tips(wine)) == 1, what="the icon added again")
    tip = wait_for(lambda: [t for t in tray_tips(wine) if t != "placeholder"], what="the clock's tooltip")
    assert tip[0].endswith(clock.title())

    clock.command(H.SC_RESTORE)
    wait_for(clock.visible, what="the indicator back")
    assert clock.close() == 0
    assert clock.ini()["Position"]["TrayStatus"] == "0"


def test_date_and_time_text_follow_pictures_and_flags(clocks, wine):
    """The title carries the date segment, the tray tooltip the time segment:
    the pictures, the short-date flag and the system-format flag as Windows
    formats them in the user's locale (English here)."""
    day = datetime.datetime.now(datetime.timezone.utc).date()
    weekday, month = day.strftime("%A"), day.strftime("%B")
    cases = [
        ({}, f" {weekday} {day.day:02d} {month} {day.year} "),
        ({"ShortDt": 1}, f" {weekday[:3]} {day.day:02d}-{month[:3]}-{day.year} "),
        ({"LgDtFormat": "yyyy'x'MM"}, f" {day.year}x{day.month:02d} "),
        ({"SysDtFmt": 1, "ShortDt": 1}, f" {day.month}/{day.day}/{day.year} "),
        ({"SysDtFmt": 1, "ShortDt": 0, "LgDtFormat": "yyyy"}, f" {weekday}, {month} {day.day}, {day.year} "),
    ]
    for settings, title in cases:
        clock = clocks.start(ini=settings_file({"Status": {"Status": 1, **settings}}), local_time="12:00:05")
        assert clock.title() == title, settings
        assert clock.close() == 0

    # Time only, in the tray: the tooltip is the time segment.
    for settings, pattern in (({}, r"^ 12:0\d:\d\d PM $"), ({"TimeFormat": "H.mm'h'"}, r"^ 12\.0\dh $")):
        clock = clocks.start(ini=settings_file({"Status": {"Status": 0, **settings}}), local_time="12:00:05")
        clock.command(H.SC_MINIMIZE)
        tips = wait_for(lambda: tray_tips(wine), what="the tray tooltip")
        assert re.match(pattern, tips[0]), (settings, tips)
        assert clock.close() == 0
