"""Values read from the settings file, seen where they show: the indicator's
segments, colours and font, the menu's language, a hand-edited file full of
bad values, and the user's data carried through in both locales. The rules
themselves (defaults, buffer cuts, colour scan) are proved by
tests/app/settings_test.cpp; here each shows in the file the program writes,
the window, its pixels and its system menu."""

from __future__ import annotations

import pytest

import harness as H
from harness.settings_file import settings_file, utc_day_stamps
from harness.timezone import today
from model import menu as M
from pages.indicator import CLEAR_PLACE, STANDARD, Indicator

BLACK, GREEN, YELLOW, CYAN, GREY = STANDARD
# COLORREF values (0x00BBGGRR) the tests' files give.
RED, MAGENTA = 0x0000FF, 0xFF00FF

MENU_TEXTS = {M.CLOCK: M.CLOCK_TEXT, M.CALENDAR: M.CALENDAR_TEXT, M.ABOUT: M.ABOUT_TEXT, M.TOPMOST: M.TOPMOST_TEXT,
              H.SC_MINIMIZE: M.MINIMIZE_TEXT, M.RUSSIAN: M.RUSSIAN_TEXT, M.ENGLISH: M.ENGLISH_TEXT}


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
    day = today()
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
