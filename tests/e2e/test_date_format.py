"""The date format dialog over the clock settings: its texts in both
languages, the "Sys" switch greying the date fields and acting at once (not
undone by Cancel), the 18-character cut, an emptied field, and pictures that
come back exactly after a restart."""

import datetime
import time

import pytest

import harness as H
from harness import wait_for
from test_clock_settings import click, end, item, open_settings, owned_dialog

BM_CLICK = 0x00F5
SHORT, LONG, TIME, SYSTEM = 1029, 1030, 1031, 1067
DATE_FORMAT_BUTTON = 1064
TEXTS = {
    "Rus": {"caption": "Формат даты", H.IDCANCEL: "Отмена", 1099: "Краткий Формат:", 1065: "Полный Формат:",
            1066: "Формат вмени:"},
    "Eng": {"caption": "Format of date", H.IDCANCEL: "Cancel", 1099: "Short Format:", 1065: "Full Format:",
            1066: "Time format:"},
}


def started(clocks, ini, **kw):
    clock = clocks.start(ini=ini, local_time="12:00:05", **kw)
    wait_for(lambda: width(clock) > 3, what="the indicator sized")
    return clock


def width(clock):
    left, _, right, _ = clock.rect()
    return right - left


def open_date_format(clock):
    settings = open_settings(clock)
    click(clock.driver, settings, DATE_FORMAT_BUTTON)
    return settings, owned_dialog(clock.driver, settings)


@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_texts_and_the_live_system_format_switch(clocks, driver, shot, language):
    clock = started(clocks, f"[Status]\nLanguage={language}\nStatus=1\nLgDtFormat=yyyy'x'MM\n",
                    locale="ru" if language == "Rus" else None)
    today = datetime.datetime.now(datetime.timezone.utc).date()
    assert width(clock) == driver.extent(f" {today.year}x{today.month:02d} ")[0]
    picture_width = width(clock)
    settings, dialog = open_date_format(clock)
    texts = TEXTS[language]
    assert driver.text(dialog) == texts["caption"]
    for ident, text in texts.items():
        if ident != "caption":
            assert driver.text(item(driver, dialog, ident)) == text, ident
    assert (driver.text(item(driver, dialog, H.IDOK)), driver.text(item(driver, dialog, SYSTEM))) == ("OK", "Sys")
    assert driver.text(item(driver, dialog, LONG)) == "yyyy'x'MM"
    assert all(driver.enabled(item(driver, dialog, f)) for f in (SHORT, LONG, TIME))
    assert not driver.enabled(settings), "the date format dialog belongs to the settings dialog"
    shot(f"date-format-{language}")

    driver.post(item(driver, dialog, SYSTEM), BM_CLICK)
    wait_for(lambda: not driver.enabled(item(driver, dialog, LONG)), timeout=2, what="the date fields greyed")
    assert not driver.enabled(item(driver, dialog, SHORT)) and driver.enabled(item(driver, dialog, TIME))
    # The user's long system date (weekday, month name, day, year), much wider
    # than the picture, while the dialog is still open.
    wait_for(lambda: width(clock) > picture_width + 40, timeout=3, what="the indicator in the system date format")
    system_width = width(clock)
    end(driver, dialog, H.IDCANCEL)
    end(driver, settings, H.IDCANCEL)
    time.sleep(1.2)
    assert width(clock) == system_width, "Cancel leaves the system format on"
    assert clock.close() == 0
    assert clock.ini()["Status"]["SysDtFmt"] == "1"


def test_pictures_cut_emptied_and_read_back_exactly(clocks, driver):
    clock = started(clocks, "[Status]\nLanguage=Eng\nStatus=0\n")
    settings, dialog = open_date_format(clock)
    long_picture = "dd MMMM 'of' yyyy andmore"  # 25 characters; the first 18 end with a blank
    quoted_time = "'T' HH:mm 'h'"                 # would lose its enclosing quotes
    driver.set_text(item(driver, dialog, SHORT), "")
    driver.set_text(item(driver, dialog, LONG), long_picture)
    driver.set_text(item(driver, dialog, TIME), quoted_time)
    end(driver, dialog, H.IDOK)
    end(driver, settings, H.IDCANCEL)
    time_width = driver.extent(" T 12:00 h ")[0]
    wait_for(lambda: width(clock) == time_width, timeout=3, what="the time in the new picture")
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["ShDtFormat"], status["LgDtFormat"], status["TimeFormat"]) == (
        "", '"dd MMMM \'of\' yyyy "', "\"'T' HH:mm 'h'\"")

    again = started(clocks, None, cwd=clock.workdir)
    assert width(again) == time_width
    settings, dialog = open_date_format(again)
    assert [driver.text(item(driver, dialog, f)) for f in (SHORT, LONG, TIME)] == [
        "", long_picture[:18], quoted_time]
    end(driver, dialog, H.IDCANCEL)
    end(driver, settings, H.IDCANCEL)
    assert again.close() == 0
