"""Every dialog from the keyboard alone, with real key strokes (SendInput) and
the focus read from the dialog's thread: the tab order of each dialog, Escape,
Enter and Space, the calendar's grid keys and its context-menu key, and a
reminder added to a yearly group by keys only."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from model import clock_settings as C
from model import date_format as D
from pages.clock_settings import ClockSettings
from calendar_helpers import (BOTH_MARKS, EVERY_DAY, GREY, LIST_ADD, LIST_LINES, MONTHLY, PLAIN,
                              REMINDER_MARK, TODAY, TODAY_MARK, WHITE, YEARLY, Calendar, Dialog, ReminderList,
                              alarm_value, day_button, ini, new_dialog)

NOON = "12:00:00"
IDM_ABOUT = 111
# The focus frame inverts every other pixel of a button's colour.
FOCUS_DOT = {PLAIN: 0x3F3F3F, TODAY_MARK: 0x3F003F, REMINDER_MARK: 0x003F3F, BOTH_MARKS: 0x00003F}
GENITIVE = ["января", "февраля", "марта", "апреля", "мая", "июня", "июля", "августа", "сентября", "октября",
            "ноября", "декабря"]


def today() -> datetime.date:
    return datetime.datetime.now(datetime.timezone.utc).date()


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


def new_child(dialog: Dialog, before: set[int], what: str) -> int:
    return new_dialog(dialog.driver, dialog.hwnd, before, what)


def dots(cal: Calendar, ident: int) -> int:
    """Pixels of a button in the colour of the focus frame over its fill."""
    left, top, right, bottom = cal.driver.rect(cal.item(ident))
    counts = cal.driver.pixels(left, top, right, bottom).colours()
    fill = max(counts, key=counts.get)
    return counts.get(FOCUS_DOT.get(fill, -1), 0)


def test_a_yearly_reminder_added_by_keys_alone(clocks, shot):
    day = today()
    month, year = day.month, day.year
    clock = clocks.start(ini=ini(), local_time=NOON, locale="ru")
    cal = Calendar.open(clock)
    wait_focus(cal, H.IDOK)
    press(cal, "tab", focus=1201)  # the weekday heads, Monday first
    first = day_button(1, month, year)
    press(cal, *["tab"] * 7, focus=first)
    # Down is the next day, right the same weekday a week later; nothing
    # before the first of the month.
    press(cal, "up")
    press(cal, "right", focus=first + 7)
    ninth = first + 8
    press(cal, "down", focus=ninth)
    fill = TODAY_MARK if day.day == 9 else PLAIN
    cal.wait_look(ninth, fill, WHITE)  # focus changes neither colour nor edges
    wait_for(lambda: dots(cal, ninth) > 10, what="the focus frame on the 9th")
    assert dots(cal, first + 7) == 0
    shot("calendar-focus-on-a-day")

    # A month on and back keeps the focus on the 9th.
    press(cal, "pgdn")
    cal.wait_shown(*((1, year + 1) if month == 12 else (month + 1, year)))
    wait_focus(cal, day_button(9, *cal.shown()))
    press(cal, "pgup")
    cal.wait_shown(month, year)
    wait_focus(cal, ninth)
    # So do the year steps; Home goes back to today, as "Сегодня" does.
    press(cal, "ctrl+pgdn")
    cal.wait_shown(month, year + 1)
    wait_focus(cal, day_button(9, month, year + 1))
    press(cal, "home")
    cal.wait_shown(month, year)
    wait_focus(cal, day_button(day.day, month, year))
    press(cal, *(["up"] * (day.day - 9) if day.day > 9 else ["down"] * (9 - day.day)), focus=ninth)

    # The menu key and Shift+F10 select and unselect as the right mouse button does.
    press(cal, "apps")
    cal.wait_look(ninth, fill, GREY)
    press(cal, "shift+f10")
    cal.wait_look(ninth, fill, WHITE)
    press(cal, "apps")
    cal.wait_look(ninth, fill, GREY)

    # On to "Год": the rest of the days, the navigation and the group buttons.
    for _ in range(60):
        if focused(cal) == YEARLY:
            break
        before = focused(cal)
        press(cal, "tab")
        wait_for(lambda: focused(cal) != before, what="the next control")
    assert focused(cal) == YEARLY
    cal.wait_look(ninth, fill, GREY)  # the selection stays while the focus moves
    before = set(cal.owned())
    press(cal, "enter")
    listing = ReminderList(clock, new_child(cal, before, "the yearly list"))
    assert listing.title() == f"Будильник на 9 {GENITIVE[month - 1]} любого года"
    wait_focus(listing, LIST_LINES)
    press(listing, "tab", focus=LIST_ADD)
    before = set(listing.owned())
    press(listing, "enter")  # Enter presses the push button that has the focus
    edit = Dialog(clock, new_child(listing, before, "the reminder dialog"))
    wait_focus(edit, 1072)
    edit.driver.type_text("7")
    press(edit, "tab", focus=1073)
    edit.driver.type_text("45")
    press(edit, "tab", "tab", "tab", "tab", focus=1076)
    edit.driver.type_text("Сверка часов")
    wait_for(lambda: edit.text(1076) == "Сверка часов", what="the typed text")
    press(edit, "enter")  # in the message field Enter is OK
    wait_for(edit.gone, what="the reminder dialog to close")
    wait_for(lambda: listing.lines() == [" 7:45 - Сверка часов"], what="the new line")
    wait_focus(listing, LIST_ADD)
    press(listing, "tab", "tab", "tab", focus=H.IDOK)
    press(listing, "enter")
    wait_for(listing.gone, what="the list to close")
    key = f"Y09{month:02d}"
    STORED = b" 7:45," + "Сверка часов".encode("cp1251") + b",\x83,;"
    assert alarm_value(clock, key).strip() == STORED.strip()  # Wine drops the blank after "="

    # Opened again by keys, the list shows the line; Escape closes both dialogs.
    wait_focus(cal, YEARLY)
    before = set(cal.owned())
    press(cal, "space")
    listing = ReminderList(clock, new_child(cal, before, "the yearly list again"))
    assert listing.lines() == [" 7:45 - Сверка часов"]
    press(listing, "esc")
    wait_for(listing.gone, what="the list to close")
    press(cal, "esc")
    wait_for(cal.gone, what="the calendar to close")
    assert alarm_value(clock, key).strip() == STORED.strip()  # Wine drops the blank after "="
    assert clock.running


CLOCK_ORDER = [H.IDOK, H.IDCANCEL, *C.SHOWN_BOXES, *C.COLOUR_BUTTONS, C.FONT, C.STANDARD, C.SYSTEM_FONT, C.BORDER,
               C.WHOLE_MINUTE, C.CONTROL_PANEL, C.SHORT_DATE, C.DATE_FORMAT]
DATE_FORMAT_ORDER = [H.IDOK, H.IDCANCEL, *D.PICTURES, D.SYSTEM]


def open_about(clock):
    before = set(clock.driver.owned(clock.hwnd))
    clock.command(IDM_ABOUT)
    return Dialog(clock, new_dialog(clock.driver, clock.hwnd, before, "the about dialog"))


def open_date_format(clock):
    return ClockSettings.open(clock).open_date_format()


def open_list(clock):
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    return cal.open_list(day_button(5, 3, 2001))


def open_edit(clock):
    return Dialog(clock, open_list(clock).open_child(LIST_ADD, "the reminder dialog"))


def calendar_order():
    # March 2001: the 1st on 1104, the 31st on 1134.
    return [H.IDOK, 1201, 1202, 1203, 1204, 1205, 1206, 1200, *range(1104, 1135), 1053, 1054, 1055, 1056,
            EVERY_DAY, TODAY, MONTHLY, YEARLY]


def open_march_calendar(clock):
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    return cal


# Each dialog with the controls that take the focus, in the order of its template.
DIALOGS = {
    "calendar": (open_march_calendar, calendar_order()),
    "list": (open_list, [LIST_LINES, LIST_ADD, 1070, 1071, H.IDOK, H.IDCANCEL]),
    "reminder": (open_edit, [1072, 1073, 1077, 1074, 1075, 1076, 1078, 1080, 1079, H.IDOK, H.IDCANCEL]),
    "clock-settings": (ClockSettings.open, CLOCK_ORDER),
    "date-format": (open_date_format, DATE_FORMAT_ORDER),
    "about": (open_about, [H.IDOK, 1036]),
}


@pytest.mark.parametrize("name", list(DIALOGS))
def test_tab_order_and_escape(clocks, shot, name):
    opener, order = DIALOGS[name]
    clock = clocks.start(ini=ini(), local_time=NOON)
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
    press(settings, "tab", "tab", "tab", focus=C.SHOW_DATE)  # "Дата", drawn in the date's colour
    box = settings.item(C.SHOW_DATE)
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
