"""Start-up, the settings file, the indicator's set-up and close, and what the
earlier edition does differently there, proved on the real programs with the
real Windows profile functions. The settings logic itself (defaults, buffer cuts, colour scan,
language switch) is proved by tests/app/settings_test.cpp; here each case is
checked where it shows: the file the program writes, the window, its pixels and
its system menu.
"""

from __future__ import annotations

import datetime
import subprocess
import time

import pytest

import harness as H
from harness.settings_file import settings_file
from model import indicator as I
from model import menu as M
from pages.indicator import CLEAR_PLACE, Indicator, drag

# COLORREF values (0x00BBGGRR).
BLACK, GREEN, YELLOW, CYAN, GREY = 0x000000, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xB4B4B4
RED, MAGENTA = 0x0000FF, 0xFF00FF

MENU_TEXTS = {M.CLOCK: M.CLOCK_TEXT, M.CALENDAR: M.CALENDAR_TEXT, M.ABOUT: M.ABOUT_TEXT, M.TOPMOST: M.TOPMOST_TEXT,
              H.SC_MINIMIZE: M.MINIMIZE_TEXT, M.RUSSIAN: M.RUSSIAN_TEXT, M.ENGLISH: M.ENGLISH_TEXT}


def wait_until(predicate, timeout=5.0, what="condition"):
    return H._wait_until(predicate, timeout, what=what)


def utc_day_stamps(hhmm: str, before: datetime.date) -> set[str]:
    """LastTime of a program started by local time of day on `before`, the UTC
    day taken before the start: the date is that day's, or the next one's when
    the run crossed midnight."""
    after = datetime.datetime.now(datetime.timezone.utc).date()
    return {day.strftime("%Y%m%d") + hhmm for day in (before, after)}


def utc_today() -> datetime.date:
    return datetime.datetime.now(datetime.timezone.utc).date()


def assert_owner_hidden(clock: H.Clock):
    assert clock.driver.window_class(clock.owner) == H.OWNER_CLASS
    assert not clock.driver.visible(clock.owner), "the owner window Clk is visible"
    assert not clock.driver.style(clock.owner) & H.WS_VISIBLE


# --------------------------------------------------------------------------
# Start-up, defaults and the place of the file


@pytest.mark.parametrize("edition", ["271", "262"])
def test_fresh_start_then_close_writes_exactly_the_defaults(clocks, edition):
    day = utc_today()
    clock = clocks.start(edition, local_time="10:20:05")
    assert clock.rect()[:2] == (150, 0)
    Indicator(clock).painted()
    assert clock.close() == 0
    raw = clock.ini_path.read_bytes()
    # The earlier edition writes no LastTime.
    stamps = utc_day_stamps("1020", day) if edition == "271" else {None}
    assert raw in {H.default_settings(stamp) for stamp in stamps}
    if edition == "271":
        assert clock.ini_path == clock.workdir / H.INI_NAME
        assert not (clocks.session.windows_dir / H.INI_NAME).exists()
    else:
        assert clock.ini_path == clocks.session.windows_dir / H.INI_NAME
        assert list(clock.workdir.iterdir()) == []
    assert not (H.DIST / H.INI_NAME).exists()


def test_each_working_directory_has_its_own_file(clocks, wine):
    # Two folders, neither the program's own: each start reads and writes the
    # file of the folder it was started in.
    first = clocks.start(ini=settings_file({"Position": {"X": 310, "Y": 220}}))
    second = clocks.start(ini=settings_file({"Position": {"X": 520, "Y": 330}}))
    assert first.workdir != second.workdir and first.workdir != H.DIST
    assert first.rect()[:2] == (310, 220)
    assert second.rect()[:2] == (520, 330)
    assert first.close() == 0 and second.close() == 0
    assert (first.ini()["Position"]["X"], first.ini()["Position"]["Y"]) == ("310", "220")
    assert (second.ini()["Position"]["X"], second.ini()["Position"]["Y"]) == ("520", "330")
    assert not (H.DIST / H.INI_NAME).exists()
    assert not (wine.windows_dir / H.INI_NAME).exists()


def test_earlier_edition_finds_the_windows_file_from_any_folder(clocks, wine):
    ini = settings_file({"Status": {"LastTime": "202001020304"}, "Position": {"X": 333, "Y": 222}})
    clock = clocks.start("262", ini=ini)
    assert clock.rect()[:2] == (333, 222)
    assert clock.close() == 0
    saved = clock.ini()
    # Not read, not written: the old stamp stays as it was.
    assert saved["Status"]["LastTime"] == "202001020304"
    assert saved.keys("Position") == ["X", "Y", "TrayStatus"]
    # A second start from another folder sees the same file.
    again = clocks.start("262")
    assert again.workdir != clock.workdir
    assert again.rect()[:2] == (333, 222)
    assert again.close() == 0
    assert list(clock.workdir.iterdir()) == [] and list(again.workdir.iterdir()) == []


# --------------------------------------------------------------------------
# Values read from the file, seen where they show


def test_status_9_shows_memory_figures_and_saves_2_and_dstatus_7_saves_3(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Status": 9, "dStatus": 7}, "Position": CLEAR_PLACE}))
    Indicator(clock).painted()
    colours = Indicator(clock).colours()
    assert CYAN in colours, f"no memory figure in cyan: {sorted(colours)}"
    assert GREY in colours, f"dStatus 7 keeps the RAM figure (bit 1): {sorted(colours)}"
    assert GREEN not in colours and YELLOW not in colours, "time or date shown with Status 9"
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["Status"], status["dStatus"]) == ("2", "3")


def test_language_english_gives_the_english_menu_and_saves_eng(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "English"}}))
    menu = clock.menu()
    for command, text in MENU_TEXTS.items():
        assert menu[command].text == text.english
    assert menu[M.ENGLISH].checked and not menu[M.RUSSIAN].checked
    assert clock.close() == 0
    assert clock.ini()["Status"]["Language"] == "Eng"


def test_two_colours_set_background_and_time_and_keep_the_rest(clocks):
    clock = clocks.start(ini=settings_file({"Colors": {"Colors": "0000ff,ff00ff"}, "Position": CLEAR_PLACE}))
    Indicator(clock).painted()
    colours = Indicator(clock).colours()
    assert RED in colours and MAGENTA in colours, f"background/time not as given: {sorted(colours)}"
    assert YELLOW in colours, "the date lost its default colour"
    assert BLACK not in colours and GREEN not in colours
    assert clock.close() == 0
    assert clock.ini()["Colors"]["Colors"] == "0000ff,ff00ff,00ffff,ffff00,b4b4b4"


def test_size_minus_1000_reads_as_minus_100(clocks):
    big = clocks.start(ini=settings_file({"Font": {"Name": "Arial", "Size": -1000}, "Position": {"X": 10, "Y": 200}}))
    Indicator(big).painted()
    big_size = Indicator(big).size()
    assert big.close() == 0
    assert big.ini()["Font"]["Size"] == "-100"

    same = clocks.start(ini=settings_file({"Font": {"Name": "Arial", "Size": -100}, "Position": {"X": 10, "Y": 200}}))
    Indicator(same).painted()
    same_height = Indicator(same).size()[1]
    assert same.close() == 0
    # A 100-pixel font, not a 1000-pixel one.
    assert 100 <= big_size[1] < 200, big_size
    assert big_size[1] == same_height


def test_a_font_taller_than_the_screen_is_cut_to_fit_and_its_size_kept(clocks):
    clock = clocks.start(ini=settings_file({"Font": {"Name": "DejaVu Sans", "Size": 1000}, "Position": {"X": 10, "Y": 200}}))
    Indicator(clock).painted()
    height = Indicator(clock).size()[1]
    assert clock.close() == 0
    assert 700 < height <= clock.driver.screen_size()[1], height
    assert clock.ini()["Font"]["Size"] == "1000"


def test_lower_case_system_makes_a_custom_font(clocks):
    # "System" (exact) means no custom font: the size in the file has no effect.
    plain = clocks.start(ini=settings_file({"Font": {"Name": "System", "Size": -40}, "Position": CLEAR_PLACE}))
    Indicator(plain).painted()
    plain_height = Indicator(plain).size()[1]
    assert plain.close() == 0

    custom = clocks.start(ini=settings_file({"Font": {"Name": "system", "Size": -40}, "Position": CLEAR_PLACE}))
    Indicator(custom).painted()
    custom_height = Indicator(custom).size()[1]
    assert custom.close() == 0
    assert plain_height < 30
    assert custom_height >= 40, f"'system' drew in the default font ({custom_height} px high)"
    assert custom.ini()["Font"]["Name"] == "system"


# --------------------------------------------------------------------------
# Moving, closing, killing, ending the session


def test_dragging_then_closing_saves_the_new_place(clocks, wine):
    clock = clocks.start(ini=settings_file({"Position": CLEAR_PLACE}))
    Indicator(clock).painted()
    left, top, _, _ = clock.rect()
    drag(wine.x.display, (left + 5, top + 5), (100, 150))
    wait_until(lambda: clock.rect()[:2] == (400, 350), 5, what="the indicator to follow the drag")
    assert clock.close() == 0
    position = clock.ini()["Position"]
    assert (position["X"], position["Y"]) == ("400", "350")

    # The next start puts it back there.
    again = clocks.start(cwd=clock.workdir)
    assert again.rect()[:2] == (400, 350)
    assert again.close() == 0


def test_killing_the_process_saves_nothing(clocks, wine):
    content = settings_file({"Status": {"Status": 0, "Language": "Eng"}, "Position": {**CLEAR_PLACE, "; a comment": None}})
    clock = clocks.start(ini=content)
    Indicator(clock).painted()
    drag(wine.x.display, (305, 205), (60, 40))
    wait_until(lambda: clock.rect()[:2] == (360, 240), 5, what="the indicator to follow the drag")
    clock.kill()
    assert clock.ini_path.read_bytes() == content
    assert [p.name for p in clock.workdir.iterdir()] == [H.INI_NAME]


def test_query_end_session_saves_and_runs_on_until_the_session_ends(clocks):
    """The query saves what a close saves and lets the session end, but the
    clock runs on: only the end of the session itself ends it."""
    day = utc_today()
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    assert clock.send(H.WM_QUERYENDSESSION, 0, 0) == 1
    ini = clock.ini()
    assert (ini["Position"]["X"], ini["Position"]["Y"]) == ("321", "123")
    assert ini["Status"]["LastTime"] in utc_day_stamps("1112", day)
    assert ini.section_order == ["Status", "Position", "Alarm", "Colors", "Font"]
    assert clock.running and clock.visible()

    saved = clock.ini_path.read_bytes()
    clock.send(H.WM_ENDSESSION, 1, 0)
    assert clock.wait_exit() == 0
    assert clock.ini_path.read_bytes() == saved


def test_the_end_of_a_session_without_a_query_saves(clocks):
    day = utc_today()
    clock = clocks.start(ini=settings_file({"Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    clock.send(H.WM_ENDSESSION, 1, 0)
    assert clock.wait_exit() == 0
    assert clock.ini()["Status"]["LastTime"] in utc_day_stamps("1112", day)


def test_a_close_of_the_hidden_owner_saves_as_the_indicators_does(clocks):
    day = utc_today()
    clock = clocks.start(ini=settings_file({"Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    clock.driver.post(clock.owner, H.WM_CLOSE)
    assert clock.wait_exit() == 0
    ini = clock.ini()
    assert (ini["Position"]["X"], ini["Position"]["Y"]) == ("321", "123")
    assert ini["Status"]["LastTime"] in utc_day_stamps("1112", day)


@pytest.mark.parametrize("road", ["close", "end of session"])
def test_a_held_file_at_close_is_told_once_and_the_program_still_ends(clocks, road):
    """Another program holds the settings file open, so nothing can be saved: a
    close says so once, offering to try again, and a second close while it is
    up does nothing; Cancel ends the program. The end of a session shows
    nothing and ends. The file keeps what it held."""
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    before = clock.ini_path.read_bytes()
    clock.driver.hold(clock.ini_path)
    try:
        if road == "close":
            box = Indicator(clock).close_to_box()
            assert box.caption == I.NOT_SAVED_CAPTION.english
            assert box.text.startswith(I.SETTINGS_NOT_SAVED.english), box.text
            assert I.CLOSE_RETRY.english in box.text, box.text
            clock.post(H.WM_CLOSE)
            clock.driver.post(clock.owner, H.WM_CLOSE)
            deadline = time.monotonic() + 1.5
            while time.monotonic() < deadline:
                assert [b.hwnd for b in clock.message_boxes()] == [box.hwnd], "a second box"
                time.sleep(0.2)
            clock.dismiss(box, H.IDCANCEL)
        else:
            assert clock.send(H.WM_QUERYENDSESSION, 0, 0) == 1
            clock.send(H.WM_ENDSESSION, 1, 0)
            assert clock.message_boxes() == []
        assert clock.wait_exit() == 0
    finally:
        clock.driver.release()
    assert clock.ini_path.read_bytes() == before


# --------------------------------------------------------------------------
# Windows: z-order, owner, tray


def test_topmost_0_command_5_toggles_the_check_and_is_saved(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Topmost": 0}}))
    Indicator(clock).set_up()
    assert not clock.menu()[M.TOPMOST].checked
    clock.command(M.TOPMOST)
    wait_until(lambda: clock.menu()[M.TOPMOST].checked, what="the check on item 5")
    clock.post(H.WM_COMMAND, M.TOPMOST, 0)  # the popup's road: WM_COMMAND
    wait_until(lambda: not clock.menu()[M.TOPMOST].checked, what="the check off item 5")
    clock.command(M.TOPMOST)
    wait_until(lambda: clock.menu()[M.TOPMOST].checked, what="the check on item 5 again")
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
    wait_until(lambda: clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST, what="topmost on")
    clock.command(M.TOPMOST)
    wait_until(lambda: not clock.driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST, what="topmost off")
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
    wait_until(lambda: not clock.visible(), what="the indicator to go to the tray")
    assert_owner_hidden(clock)
    clock.command(H.SC_RESTORE)
    wait_until(clock.visible, what="the indicator to come back")
    assert_owner_hidden(clock)
    assert clock.close() == 0


def test_tray_status_1_starts_in_the_tray(clocks):
    clock = clocks.start(ini=settings_file({"Position": {"TrayStatus": 1, **CLEAR_PLACE}}))
    Indicator(clock).set_up()
    wait_until(lambda: not clock.visible() and H.SC_RESTORE in clock.menu(),
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
    wait_until(lambda: not again.visible() and H.SC_RESTORE in again.menu(),
               what="the second start to go to the tray")
    again.command(H.SC_RESTORE)
    wait_until(again.visible, what="the indicator to come back")
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
            wait_until(lambda: clock.rect()[2] <= 800 and clock.rect()[3] <= 600, 5,
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


# --------------------------------------------------------------------------
# Locales


@pytest.mark.parametrize("locale,acp", [("en", 1252), ("ru", 1251)])
def test_both_locales_start_save_and_show_russian_menu(clocks, wine, locale, acp):
    assert wine.driver_batch(["locale"], locale=locale)[0].startswith(f"ok {acp} ")
    wave = "C:\\Звуки\\дзинь.wav"
    clock = clocks.start(ini=settings_file({"Alarm": {"WavePath": wave}}), locale=locale)
    menu = clock.menu()
    for command, text in MENU_TEXTS.items():
        assert menu[command].text == text.russian, (locale, command)
    assert menu[M.RUSSIAN].checked and not menu[M.ENGLISH].checked
    assert clock.close() == 0
    raw = clock.ini_path.read_bytes()
    # The user's ANSI data is carried through byte for byte.
    assert ("WavePath=" + wave).encode("cp1251") in raw
    assert clock.ini()["Status"]["Language"] == "Rus"


# --------------------------------------------------------------------------
# Bad input

BAD_FILE = settings_file({
    "Status": {
        "Status": -5,
        "dStatus": "99999999999999999999",
        "Key": "abc",
        "ShortDt": "   12xyz",
        "ShDtFormat": "x" * 100_000,
        "LgDtFormat": "dddd dd MMMM yyyy dddd dd MMMM yyyy",
        "defSec": -2147483649,
        "Language": "",
        "LastTime": "2026",
        b"\x01\x02\x03\xff\xfe\x80\x81 binary junk \x7f\x90": None,
        "": "no key",
        b"no equals sign at all \xc0\xc1\xc2": None,
    },
    "Position": {"X": 99999999999999, "Y": -99999999999999, b"\xde\xad\xbe\xef\x8d\x8f\x9d": None},
    "Colors": {"Colors": "0000ff,ff00ff,"},
    "Font": {"Name": "A" * 100, "Size": "abc", "Italic": 300, "Weight": -99999999999, "CharSet": 99999},
})


def test_hand_edited_bad_file_starts_closes_and_saves_sane_values(clocks, driver):
    day = utc_today()
    clock = clocks.start(ini=BAD_FILE, local_time="09:30:10")
    Indicator(clock).painted()
    # Far-off X and Y: kept on the screen.
    left, top, right, bottom = clock.rect()
    screen_w, screen_h = driver.screen_size()
    assert 0 <= left and right <= screen_w and 0 <= top and bottom <= screen_h
    # Negative Status (decision): shown as the default, time and date, in the
    # two given colours with the date's default; no memory figures.
    colours = Indicator(clock).colours()
    assert RED in colours and MAGENTA in colours and YELLOW in colours, sorted(colours)
    assert CYAN not in colours and GREY not in colours
    menu = clock.menu()
    assert menu[M.ENGLISH].checked  # an empty Language is English
    assert clock.close() == 0

    ini = clock.ini()
    status = ini["Status"]
    assert status["Status"] == "3"
    assert status["dStatus"] == "3"          # 999999999 & 3
    assert status["Key"] == "0"
    assert status["ShortDt"] == "12"
    assert status["ShDtFormat"] == "x" * 18
    # Cut to 18 characters, the last a blank: saved in quotes, so that the
    # profile functions' trimming gives the blank back.
    assert status["LgDtFormat"] == '"dddd dd MMMM yyyy "'
    assert status["defSec"] == "-21474836"   # cut to 9 characters
    assert status["Language"] == "Eng"
    assert status["LastTime"] in utc_day_stamps("0930", day)
    position = ini["Position"]
    assert (position["X"], position["Y"]) == (str(left), str(top))
    assert ini["Colors"]["Colors"] == "0000ff,ff00ff,00ffff,ffff00,b4b4b4"
    font = ini["Font"]
    assert font["Name"] == "A" * 31
    assert font["Size"] == "0"
    assert font["Italic"] == str(300 & 0xFF)
    assert font["Weight"] == "-2147483648"
    assert font["CharSet"] == str(99999 & 0xFF)
    # The saved file reads back cleanly: a second start and close keeps it.
    again = clocks.start(cwd=clock.workdir, local_time="09:30:10")
    assert again.close() == 0
    again_status = dict(again.ini()["Status"])
    assert again_status.pop("LastTime") in utc_day_stamps("0930", day)
    assert again_status == {k: v for k, v in status.items() if k != "LastTime"}
    assert again.ini()["Font"] == font


def test_settings_path_as_long_as_the_profile_functions_take(clocks, wine):
    # The profile functions take a path of fewer than MAX_PATH (260)
    # characters; the directory is read whole, so the longest such path
    # works as any other. (Anything longer is refused by the system, and a
    # directory of more than MAX_PATH characters by Wine, which then starts
    # no program there at all.)
    longest = wine.tmp / "longest"
    while len(H.unix_to_wine_path(longest)) < 200:
        longest = longest / ("e" * 20)
    longest = longest / ("f" * (245 - len(H.unix_to_wine_path(longest))))
    assert len(H.unix_to_wine_path(longest / H.INI_NAME)) == 259
    clock = clocks.start(cwd=longest, ini=settings_file({"Status": {"Status": 1}}))
    assert clock.close() == 0
    saved = clock.ini()
    assert (saved["Status"]["Status"], "LastTime" in saved["Status"]) == ("1", True)


def test_indicator_that_cannot_be_created_ends_the_program(wine, clocks):
    # Decision (src/app/main.cpp): the owner's WM_CREATE fails, so the program
    # ends at once with 0 and no invisible owner keeps running. A global CBT
    # hook makes the creation of every HorvikClass window fail.
    driver = wine.driver
    exe = H.program("271")
    owners_before = set(driver.find_all(H.OWNER_CLASS))
    workdir = wine.new_workdir()
    driver.cmd("cbtblock")
    try:
        proc = subprocess.Popen(["wine", str(exe)], cwd=workdir, env=wine.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            assert proc.wait(15) == 0
        finally:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
    finally:
        driver.cmd("cbtunblock")
    assert set(driver.find_all(H.OWNER_CLASS)) == owners_before
    assert list(workdir.iterdir()) == []
    # With the hook gone the same start works.
    clock = clocks.start(cwd=workdir)
    assert clock.close() == 0
