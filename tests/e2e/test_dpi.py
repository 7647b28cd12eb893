"""The programs at the screen's own resolution, 96 and 144 DPI: the indicator
fits its text, and every dialog (calendar, reminder list, reminder, clock
settings, date format, about) shows all its controls inside its client area,
each static text and button with room for its text in its own font. One
session per DPI, each dialog opened once; at 144 DPI a screenshot of each."""

import pytest

import harness as H
from harness import wait_for
from harness import BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_OWNERDRAW, BS_PUSHBUTTON, BS_TYPEMASK
from harness import SS_CENTER, SS_LEFT, SS_LEFTNOWORDWRAP, SS_RIGHT, SS_SIMPLE, SS_TYPEMASK
from harness.settings_file import settings_file
from harness.timezone import today
from model import reminder_list as R
from pages.about import About
from pages.calendar import Calendar, day_button
from pages.clock_settings import ClockSettings
from pages.indicator import Indicator, indicator_settings


def scaled(pixels_at_96: int, dpi: int) -> int:
    return pixels_at_96 * dpi // 96


def text_room(style: int, fit: H.TextFit, cls: str, dpi: int) -> str | None:
    """Why the control's text does not fit it, or None when it does."""
    if cls == "Static":
        kind = style & SS_TYPEMASK
        if kind in (SS_LEFT, SS_CENTER, SS_RIGHT):
            if fit.wrapped_width > fit.client_width or fit.wrapped_height > fit.client_height:
                return f"needs {fit.wrapped_width}x{fit.wrapped_height} in {fit.client_width}x{fit.client_height}"
        elif kind in (SS_SIMPLE, SS_LEFTNOWORDWRAP):
            if fit.width > fit.client_width or fit.height > fit.client_height:
                return f"needs {fit.width}x{fit.height} in {fit.client_width}x{fit.client_height}"
        return None
    kind = style & BS_TYPEMASK
    if kind in (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW):
        # A push button draws its text inside a 2-pixel edge on each side; a line's
        # cell, leading included, may reach into the edge at top and bottom.
        edge = 0 if kind == BS_OWNERDRAW else 2
        room = (fit.client_width - 2 * edge, fit.client_height)
    elif kind == BS_GROUPBOX:
        # The caption sits on the frame's top line, indented by about a character.
        room = (fit.client_width - scaled(8, dpi), fit.client_height)
    else:
        # Check boxes and radio buttons: the box (12 pixels and a line at 96 DPI)
        # and a gap before the text.
        room = (fit.client_width - scaled(12, dpi) - 1 - scaled(3, dpi), fit.client_height)
    if fit.width > room[0] or fit.height > room[1]:
        return f"needs {fit.width}x{fit.height} in {room[0]}x{room[1]}"
    return None


def misfits(clock, dialog: int, dpi: int) -> list[str]:
    """Controls of a dialog that stick out of its client area or cut their texts."""
    driver = clock.driver
    fits = driver.text_fits(clock.pid, clock.session.tmp / f"fits-{clock.pid}.txt")
    left, top, right, bottom = driver.client(dialog)
    assert right - left > 0 and bottom - top > 0
    found = []
    shown = [(h, ident, cls) for h, ident, cls in driver.children(dialog) if driver.visible(h)]
    assert shown, "a dialog with no controls shown"
    for h, ident, cls in shown:
        l, t, r, b = driver.rect(h)
        if l < left or t < top or r > right or b > bottom:
            found.append(f"{cls} {ident} at {(l, t, r, b)} outside the client area {(left, top, right, bottom)}")
        if cls in ("Static", "Button") and driver.text(h):
            why = text_room(driver.style(h), fits[h], cls, dpi)
            if why:
                found.append(f"{cls} {ident} {driver.text(h)!r}: {why}")
    return found


@pytest.mark.parametrize("dpi", [96, 144])
def test_indicator_and_every_dialog_fit_their_texts(request, shot, dpi):
    clocks = request.getfixturevalue("clocks" if dpi == 96 else "dpi144_clocks")
    driver = clocks.session.driver
    assert driver.dpi() == dpi

    # The indicator, date only and no frame: exactly the text's extent in the
    # screen's own font (one line less in height, as at any DPI).
    clock = clocks.start(ini=indicator_settings({"Status": 1, "Key": 0}), local_time="12:00:00")
    title = wait_for(clock.title, what="the title")
    cx, cy = driver.extent(title)
    left, top, right, bottom = Indicator(clock).sized(cx)
    assert (right - left, bottom - top) == (cx, cy - 1)
    if dpi == 144:
        shot("indicator")
    assert clock.close() == 0

    problems: dict[str, list[str]] = {}
    for language in ("Rus", "Eng"):
        problems.update(dialogs_misfits(clocks, driver, shot, dpi, language))
    assert {name: found for name, found in problems.items() if found} == {}


def dialogs_misfits(clocks, driver, shot, dpi, language) -> dict[str, list[str]]:
    """Opens each dialog once; what does not fit in each."""
    clock = clocks.start(ini=settings_file({"Status": {"Language": language}}), local_time="12:00:00",
                         locale="ru" if language == "Rus" else None)
    problems: dict[str, list[str]] = {}

    def look_at(name: str, dialog: int):
        wait_for(lambda: driver.visible(dialog), what=f"the {name} shown")
        problems[f"{name}-{language}"] = misfits(clock, dialog, dpi)
        if dpi == 144:
            shot(f"{name}-{language}")

    calendar = Calendar.open(clock)
    look_at("calendar", calendar.hwnd)
    reminder_list = calendar.open_list(day_button(today()))
    look_at("reminder-list", reminder_list.hwnd)
    edit = reminder_list.open_edit(R.ADD)
    look_at("reminder", edit.hwnd)
    for dialog in (edit, reminder_list, calendar):
        dialog.end(H.IDCANCEL)

    settings = ClockSettings.open(clock)
    look_at("clock-settings", settings.hwnd)
    date_format = settings.open_date_format()
    look_at("date-format", date_format.hwnd)
    date_format.end(H.IDCANCEL)
    settings.end(H.IDCANCEL)

    about = About.open(clock)
    look_at("about", about.hwnd)
    about.end(H.IDCANCEL)

    assert clock.close() == 0
    return problems
