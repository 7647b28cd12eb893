"""The date format dialog over the clock settings: its texts in both
languages, the "Sys" switch greying the date fields and acting at once (not
undone by Cancel), the 18-character cut, an emptied field, and pictures that
come back exactly after a restart."""

import datetime
import time

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from model import date_format as D
from pages.clock_settings import open_date_format
from pages.indicator import Indicator

TEXTS = {H.IDCANCEL: D.CANCEL_TEXT, D.SHORT_LABEL: D.SHORT_LABEL_TEXT, D.LONG_LABEL: D.LONG_LABEL_TEXT,
         D.TIME_LABEL: D.TIME_LABEL_TEXT}


def started(clocks, ini, **kw):
    clock = clocks.start(ini=ini, local_time="12:00:05", **kw)
    wait_for(lambda: Indicator(clock).width() > 3, what="the indicator sized")
    return clock


@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_texts_and_the_live_system_format_switch(clocks, driver, shot, language):
    clock = started(clocks, settings_file({"Status": {"Language": language, "Status": 1, "LgDtFormat": "yyyy'x'MM"}}),
                    locale="ru" if language == "Rus" else None)
    indicator = Indicator(clock)
    today = datetime.datetime.now(datetime.timezone.utc).date()
    assert indicator.width() == driver.extent(f" {today.year}x{today.month:02d} ")[0]
    picture_width = indicator.width()
    settings, dialog = open_date_format(clock)
    assert dialog.title() == D.CAPTION.in_language(language)
    for ident, text in TEXTS.items():
        assert dialog.text(ident) == text.in_language(language), ident
    assert (dialog.text(H.IDOK), dialog.text(D.SYSTEM)) == (D.OK_LABEL, D.SYSTEM_LABEL)
    assert dialog.text(D.LONG) == "yyyy'x'MM"
    assert all(dialog.enabled(f) for f in D.PICTURES)
    assert not driver.enabled(settings.hwnd), "the date format dialog belongs to the settings dialog"
    shot(f"date-format-{language}")

    driver.post(dialog.item(D.SYSTEM), H.BM_CLICK)
    wait_for(lambda: not dialog.enabled(D.LONG), timeout=2, what="the date fields greyed")
    assert not dialog.enabled(D.SHORT) and dialog.enabled(D.TIME)
    # The user's long system date (weekday, month name, day, year), much wider
    # than the picture, while the dialog is still open.
    wait_for(lambda: indicator.width() > picture_width + 40, timeout=3, what="the indicator in the system date format")
    system_width = indicator.width()
    dialog.end(H.IDCANCEL)
    settings.end(H.IDCANCEL)
    time.sleep(1.2)
    assert indicator.width() == system_width, "Cancel leaves the system format on"
    assert clock.close() == 0
    assert clock.ini()["Status"]["SysDtFmt"] == "1"


def test_pictures_cut_emptied_and_read_back_exactly(clocks, driver):
    clock = started(clocks, settings_file({"Status": {"Language": "Eng", "Status": 0}}))
    settings, dialog = open_date_format(clock)
    long_picture = "dd MMMM 'of' yyyy andmore"  # 25 characters; the first 18 end with a blank
    quoted_time = "'T' HH:mm 'h'"                 # would lose its enclosing quotes
    dialog.set_text(D.SHORT, "")
    dialog.set_text(D.LONG, long_picture)
    dialog.set_text(D.TIME, quoted_time)
    dialog.end(H.IDOK)
    settings.end(H.IDCANCEL)
    time_width = driver.extent(" T 12:00 h ")[0]
    indicator = Indicator(clock)
    wait_for(lambda: indicator.width() == time_width, timeout=3, what="the time in the new picture")
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["ShDtFormat"], status["LgDtFormat"], status["TimeFormat"]) == (
        "", '"dd MMMM \'of\' yyyy "', "\"'T' HH:mm 'h'\"")

    again = started(clocks, None, cwd=clock.workdir)
    assert Indicator(again).width() == time_width
    settings, dialog = open_date_format(again)
    assert dialog.pictures() == ["", long_picture[:18], quoted_time]
    dialog.end(H.IDCANCEL)
    settings.end(H.IDCANCEL)
    assert again.close() == 0
