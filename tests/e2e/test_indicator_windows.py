"""The indicator's windows: its z-order and the Topmost setting, the hidden
owner window, the tray, and its place per screen size."""

from __future__ import annotations

import time

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from model import menu as M
from pages.indicator import CLEAR_PLACE, Indicator


def assert_owner_hidden(clock: H.Clock):
    assert clock.driver.window_class(clock.owner) == H.OWNER_CLASS
    assert not clock.driver.visible(clock.owner), "the owner window Clk is visible"
    assert not clock.driver.style(clock.owner) & H.WS_VISIBLE


def test_topmost_0_command_5_toggles_the_check_and_is_saved(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Topmost": 0}}))
    Indicator(clock).set_up()
    assert not clock.menu()[M.TOPMOST].checked
    clock.command(M.TOPMOST)
    wait_for(lambda: clock.menu()[M.TOPMOST].checked, what="the check on item 5")
    clock.post(H.WM_COMMAND, M.TOPMOST, 0)  # the popup's road: WM_COMMAND
    wait_for(lambda: not clock.menu()[M.TOPMOST].checked, what="the check off item 5")
    clock.command(M.TOPMOST)
    wait_for(lambda: clock.menu()[M.TOPMOST].checked, what="the check on item 5 again")
    assert clock.close() == 0
    assert clock.ini()["Status"]["Topmost"] == "1"


def test_topmost_0_starts_not_topmost_and_command_5_toggles_the_style(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Topmost": 0}}))
    Indicator(clock).set_up()
    assert not clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST
    # A few ticks never re-assert it.
    Indicator(clock).painted()
    assert not clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST
    clock.command(M.TOPMOST)
    wait_for(lambda: clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST, what="topmost on")
    clock.command(M.TOPMOST)
    wait_for(lambda: not clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST, what="topmost off")
    assert clock.close() == 0


def test_owner_window_is_never_visible(clocks):
    clock = clocks.start()
    Indicator(clock).set_up()
    assert_owner_hidden(clock)
    assert clock.driver.style(clock.owner) & H.WS_OVERLAPPEDWINDOW == H.WS_OVERLAPPEDWINDOW
    assert clock.driver.owner(clock.hwnd) == clock.owner
    assert clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOOLWINDOW
    for _ in range(6):
        time.sleep(0.25)
        assert_owner_hidden(clock)
    clock.command(M.TOPMOST)
    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator to go to the tray")
    assert_owner_hidden(clock)
    clock.command(H.SC_RESTORE)
    wait_for(clock.visible, what="the indicator to come back")
    assert_owner_hidden(clock)
    assert clock.close() == 0


def test_tray_status_1_starts_in_the_tray(clocks):
    clock = clocks.start(ini=settings_file({"Position": {"TrayStatus": 1, **CLEAR_PLACE}}))
    Indicator(clock).set_up()
    wait_for(lambda: not clock.visible() and H.SC_RESTORE in clock.menu(),
               what="the indicator to go to the tray")
    menu = clock.menu()
    assert H.SC_RESTORE in menu and H.SC_MINIMIZE not in menu
    assert menu[H.SC_RESTORE].text == M.RESTORE_TEXT.russian
    assert_owner_hidden(clock)
    # Closed in the tray: saved so, and the next start goes there again.
    assert clock.close() == 0
    assert clock.ini()["Position"]["TrayStatus"] == "1"
    again = clocks.start(cwd=clock.workdir)
    Indicator(again).set_up()
    wait_for(lambda: not again.visible() and H.SC_RESTORE in again.menu(),
               what="the second start to go to the tray")
    again.command(H.SC_RESTORE)
    wait_for(again.visible, what="the indicator to come back")
    assert again.close() == 0
    assert again.ini()["Position"]["TrayStatus"] == "0"


def test_positions_per_screen_size_only_in_the_clock_program(desktop_clocks, desktop_wine):
    driver = desktop_wine.driver
    places = {}
    for edition in ("271", "262"):
        desktop_clocks.remove_windows_ini()
        clock = desktop_clocks.start(edition, ini=settings_file({"Position": {"X": 600, "Y": 700}}))
        Indicator(clock).painted()
        try:
            driver.display_mode(800, 600)
            wait_for(lambda: clock.rect()[2] <= 800 and clock.rect()[3] <= 600, 5,
                       what="the indicator to move inside 800x600")
            driver.display_mode(1024, 768)
            time.sleep(2.2)
        finally:
            driver.display_mode(1024, 768)
        places[edition] = clock.rect()[:2]
        assert clock.close() == 0
        position = clock.ini()["Position"]
        if edition == "271":
            assert (position["X1024"], position["Y768"]) == ("600", "700")
            assert "X800" in position and "Y600" in position
        else:
            assert sorted(clock.ini().keys("Position")) == ["TrayStatus", "X", "Y"]
    # Back at 1024x768 the clock program returns to its old place; the earlier
    # edition stays where the smaller screen pushed it.
    assert places["271"] == (600, 700)
    assert places["262"] != (600, 700)
