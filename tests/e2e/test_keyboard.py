"""Every dialog from the keyboard alone, with real key strokes (SendInput) and
the focus read from the dialog's thread: the tab order of each dialog, Escape,
Enter and Space, the calendar's grid keys and its context-menu key, and a
reminder added to a yearly group by keys only."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import entry, group_keys, settings_file
from harness.timezone import today
from model import about as A
from model import calendar as C
from model import clock_settings as S
from model import date_format as D
from model import reminder_edit as E
from model import reminder_list as R
from pages.about import About
from pages.calendar import Calendar, calendar_settings, day_button, next_month, tab_order
from pages.clock_settings import ClockSettings
from pages.dialog import Dialog
from pages.reminder_edit import ReminderEdit
from pages.reminder_list import ReminderList, stored_group, title_for

NOON = "12:00:00"


def focused(dialog: Dialog) -> int:
    """Control ID of the control that holds the focus (0 when none of this dialog's)."""
    hwnd, ident, _ = dialog.driver.focus(dialog.hwnd)
    return ident if hwnd in {h for h, _, _ in dialog.driver.children(dialog.hwnd)} else 0


def wait_focus(dialog: Dialog, ident: int):
    wait_for(lambda: focused(dialog) == ident, what=f"the focus on control {ident}")


def press(dialog: Dialog, *chords: str, focus: int | None = None):
    """Keys for the dialog in the foreground; then, if given, waits for the focus on `focus`."""
    wait_for(lambda: dialog.driver.focus(dialog.hwnd)[2] == dialog.hwnd, what="the dialog in the foreground")
    if chords:
        dialog.driver.keys(*chords)
    if focus is not None:
        wait_focus(dialog, focus)


def tab_cycle(dialog: Dialog, length: int) -> list[int]:
    """The controls that Tab visits from the one with the focus, one round."""
    seen = [focused(dialog)]
    for _ in range(length - 1):
        before = seen[-1]
        press(dialog, "tab")
        seen.append(wait_for(lambda: (lambda now: now if now != before else None)(focused(dialog)),
                             what=f"the focus to leave control {before}"))
    return seen


# The steps of a yearly reminder added by keys alone, in turn.

def focus_onto_the_9th(cal: Calendar, day: datetime.date) -> tuple[int, int]:
    """From OK by Tab and the arrows onto the 9th of the month; its button and fill."""
    wait_focus(cal, H.IDOK)
    press(cal, "tab", focus=C.WEEKDAY_HEADS[1])  # the weekday heads, Monday first
    first = day_button(day.replace(day=1))
    press(cal, *["tab"] * 7, focus=first)
    # Down is the next day, right the same weekday a week later; nothing
    # before the first of the month.
    press(cal, "up")
    press(cal, "right", focus=first + 7)
    ninth = first + 8
    press(cal, "down", focus=ninth)
    fill = C.TODAY_MARK if day.day == 9 else C.PLAIN
    cal.wait_look(ninth, fill, C.RAISED_EDGE)  # focus changes neither colour nor edges
    wait_for(lambda: cal.focus_dots(ninth) > 10, what="the focus frame on the 9th")
    assert cal.focus_dots(first + 7) == 0
    return ninth, fill


def month_and_year_keys_keep_the_focus(cal: Calendar, day: datetime.date, ninth: int):
    month, year = day.month, day.year
    # A month on and back keeps the focus on the 9th.
    press(cal, "pgdn")
    after_month, after_year = next_month(month, year)
    cal.wait_shown(after_month, after_year)
    wait_focus(cal, day_button(datetime.date(after_year, after_month, 9)))
    press(cal, "pgup")
    cal.wait_shown(month, year)
    wait_focus(cal, ninth)
    # So do the year steps; Home goes back to today, as "Сегодня" does.
    press(cal, "ctrl+pgdn")
    cal.wait_shown(month, year + 1)
    wait_focus(cal, day_button(datetime.date(year + 1, month, 9)))
    press(cal, "home")
    cal.wait_shown(month, year)
    wait_focus(cal, day_button(day))
    press(cal, *(["up"] * (day.day - 9) if day.day > 9 else ["down"] * (9 - day.day)), focus=ninth)


def menu_keys_select(cal: Calendar, ninth: int, fill: int):
    """The menu key and Shift+F10 select and unselect as the right mouse button does."""
    press(cal, "apps")
    cal.wait_look(ninth, fill, C.SUNKEN_EDGE)
    press(cal, "shift+f10")
    cal.wait_look(ninth, fill, C.RAISED_EDGE)
    press(cal, "apps")
    cal.wait_look(ninth, fill, C.SUNKEN_EDGE)


def tab_onto_yearly(cal: Calendar):
    """On to "Год": the rest of the days, the navigation and the group buttons."""
    for _ in range(60):
        if focused(cal) == C.YEARLY:
            break
        before = focused(cal)
        press(cal, "tab")
        wait_for(lambda: focused(cal) != before, what="the next control")
    assert focused(cal) == C.YEARLY


def add_by_keys(clock: H.Clock, cal: Calendar, ninth_day: datetime.date):
    """Enter on "Год" opens the yearly list; Add, the fields and OK by keys."""
    listing = ReminderList.opened_by(clock, cal.hwnd, lambda: press(cal, "enter"), "the yearly list")
    assert listing.title() == title_for("yearly", ninth_day)
    wait_focus(listing, R.LINES)
    press(listing, "tab", focus=R.ADD)
    # Enter presses the push button that has the focus.
    edit = ReminderEdit.opened_by(clock, listing.hwnd, lambda: press(listing, "enter"), "the reminder dialog",
                                  E.CAPTION.russian)
    wait_focus(edit, E.HOUR)
    edit.driver.type_text("7")
    press(edit, "tab", focus=E.MINUTE)
    edit.driver.type_text("45")
    press(edit, "tab", "tab", "tab", "tab", focus=E.TEXT)
    edit.driver.type_text("Сверка часов")
    wait_for(lambda: edit.text(E.TEXT) == "Сверка часов", what="the typed text")
    press(edit, "enter")  # in the message field Enter is OK
    wait_for(edit.gone, what="the reminder dialog to close")
    wait_for(lambda: listing.lines() == [" 7:45 - Сверка часов"], what="the new line")
    wait_focus(listing, R.ADD)
    press(listing, "tab", "tab", "tab", focus=H.IDOK)
    press(listing, "enter")
    wait_for(listing.gone, what="the list to close")


def reopen_by_keys_and_escape(clock: H.Clock, cal: Calendar):
    """Opened again by keys, the list shows the line; Escape closes both dialogs."""
    wait_focus(cal, C.YEARLY)
    listing = ReminderList.opened_by(clock, cal.hwnd, lambda: press(cal, "space"), "the yearly list again")
    assert listing.lines() == [" 7:45 - Сверка часов"]
    press(listing, "esc")
    wait_for(listing.gone, what="the list to close")
    press(cal, "esc")
    wait_for(cal.gone, what="the calendar to close")


def test_a_yearly_reminder_added_by_keys_alone(clocks, shot):
    day = today()
    clock = clocks.start(ini=calendar_settings(), local_time=NOON, locale="ru")
    cal = Calendar.open(clock)
    ninth, fill = focus_onto_the_9th(cal, day)
    shot("calendar-focus-on-a-day")
    month_and_year_keys_keep_the_focus(cal, day, ninth)
    menu_keys_select(cal, ninth, fill)
    tab_onto_yearly(cal)
    cal.wait_look(ninth, fill, C.SUNKEN_EDGE)  # the selection stays while the focus moves

    add_by_keys(clock, cal, day.replace(day=9))
    key = group_keys(day.replace(day=9))["yearly"]
    stored = entry(7, 45, "Сверка часов")
    assert stored_group(clock, key).strip() == stored.strip()  # Wine drops the blank after "="
    reopen_by_keys_and_escape(clock, cal)
    assert stored_group(clock, key).strip() == stored.strip()
    assert clock.running


CLOCK_ORDER = [H.IDOK, H.IDCANCEL, *S.SHOWN_BOXES, *S.COLOUR_BUTTONS, S.FONT, S.STANDARD, S.SYSTEM_FONT, S.BORDER,
               S.WHOLE_MINUTE, S.CONTROL_PANEL, S.SHORT_DATE, S.DATE_FORMAT]
DATE_FORMAT_ORDER = [H.IDOK, H.IDCANCEL, *D.PICTURES, D.SYSTEM]


def open_date_format(clock):
    return ClockSettings.open(clock).open_date_format()


def open_march_calendar(clock):
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    return cal


def open_list(clock):
    return open_march_calendar(clock).open_list(day_button(datetime.date(2001, 3, 5)))


def open_edit(clock):
    return open_list(clock).open_edit(R.ADD)


# March 2001: Tab visits the shown days only, the 1st to the 31st.
MARCH_DAYS = range(day_button(datetime.date(2001, 3, 1)), day_button(datetime.date(2001, 3, 31)) + 1)


# Each dialog with the controls that take the focus, in the order of its template.
DIALOGS = {
    "calendar": (open_march_calendar, tab_order(MARCH_DAYS)),
    "list": (open_list, [R.LINES, R.ADD, R.CHANGE, R.DELETE, H.IDOK, H.IDCANCEL]),
    "reminder": (open_edit, [*E.FOCUS_ORDER, H.IDOK, H.IDCANCEL]),
    "clock-settings": (ClockSettings.open, CLOCK_ORDER),
    "date-format": (open_date_format, DATE_FORMAT_ORDER),
    "about": (About.open, [H.IDOK, A.LINES]),
}


@pytest.mark.parametrize("name", list(DIALOGS))
def test_tab_order_and_escape(clocks, shot, name):
    opener, order = DIALOGS[name]
    clock = clocks.start(ini=calendar_settings(), local_time=NOON)
    dialog = opener(clock)
    start = wait_for(lambda: focused(dialog), what="a control with the focus")
    assert start in order
    # Tab goes round every control that acts, in the template's order...
    at = order.index(start)
    assert tab_cycle(dialog, len(order) + 1) == (order[at:] + order[:at] + [start])
    # ...and Shift+Tab back.
    press(dialog, "shift+tab", focus=order[at - 1])
    press(dialog, "shift+tab", focus=order[at - 2])
    shot(f"focus-{name}")
    press(dialog, "esc")
    wait_for(dialog.gone, what=f"Escape to close the {name} dialog")
    assert clock.running


def test_space_toggles_a_coloured_box_and_enter_is_ok(clocks, shot):
    clock = clocks.start(ini=settings_file({"Status": {"Status": 0, "Key": 0}}), local_time=NOON)
    settings = ClockSettings.open(clock)
    wait_focus(settings, H.IDOK)
    press(settings, "tab", "tab", "tab", focus=S.SHOW_DATE)  # "Дата", drawn in the date's colour
    box = settings.item(S.SHOW_DATE)
    left, top, right, bottom = settings.driver.rect(box)

    def frame_dots():
        # Right of the check square only the focus frame is white: the
        # inverted dots on the black background of the indicator's colours.
        return settings.driver.pixels(left + 16, top, right, bottom).colours().get(0xFFFFFF, 0)

    assert settings.driver.check(box) == 0
    wait_for(lambda: frame_dots() > 10, what="the focus frame on the coloured box")
    press(settings, "space")
    wait_for(lambda: settings.driver.check(box) == 1, what="Space to check the box")
    wait_for(lambda: frame_dots() > 10, what="the focus frame after Space")
    shot("clock-settings-focus-on-a-coloured-box")
    press(settings, "enter")
    wait_for(settings.gone, what="Enter to press OK")
    assert clock.close() == 0
    assert clock.ini()["Status"]["Status"] == "3"  # time and date
