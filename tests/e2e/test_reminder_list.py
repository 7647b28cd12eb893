"""The reminder list dialog in the running clock, opened from the calendar:
titles of the five kinds, list lines, Delete with its question, OK and Cancel
on the settings file, long groups, two lists at once, and today's reminders
rebuilt by a confirmed list."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import entry, group_keys
from harness.timezone import today
from model import calendar as C
from model import indicator as I
from model import reminder_edit as E
from model import reminder_list as R
from pages.calendar import Calendar, calendar_settings, day_button
from pages.reminder_box import next_box
from pages.reminder_edit import ReminderEdit
from pages.reminder_list import NEVER, ReminderList, stored_group, title_for

MARCH_5 = datetime.date(2001, 3, 5)
MARCH_5_KEY = group_keys(MARCH_5)["date"]
THREE = entry(25, 0, "one") + entry(25, 1, "two") + entry(25, 2, "three")
THREE_LINES = ["25:00 - one", "25:01 - two", "25:02 - three"]


def list_of_march_5(clock) -> tuple[Calendar, ReminderList]:
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    return cal, cal.open_list(day_button(MARCH_5))


@pytest.mark.parametrize("locale,language", [("en", "Eng"), ("ru", "Rus")])
def test_titles_of_all_five_kinds_and_the_lines(clocks, shot, locale, language):
    group = (b" 9:30,Team meeting\x86\x85Room 2,C:\\Tools\\notes.exe\x83agenda.txt,C:\\bell.wav;"
             b"17: 5,Go home,\x83,;"
             b" 8: 0,\xcf\xee\xe7\xe2\xee\xed\xe8\xf2\xfc \xe2 \xe1\xe0\xed\xea\x82 \xe0 \xef\xee\xf2\xee\xec \xe4\xe0\xeb\xfc\xf8\xe5,\x83,;")
    clock = clocks.start(ini=calendar_settings({"07082001": group}, language), local_time="12:00:00", locale=locale)
    cal = Calendar.open(clock)
    cal.go_to(8, 2001)
    august_7 = datetime.date(2001, 8, 7)
    seventh = day_button(august_7)

    listing = cal.open_list(seventh)
    assert listing.title() == title_for("date", august_7)
    code_page = "cp1251" if locale == "ru" else "cp1252"
    texts = [b"Team meeting\x86\x85Room 2", b"Go home",
             b"\xcf\xee\xe7\xe2\xee\xed\xe8\xf2\xfc \xe2 \xe1\xe0\xed\xea\x82 \xe0 \xef\xee\xf2\xee\xec \xe4\xe0\xeb\xfc\xf8\xe5"]
    times = [" 9:30", "17:05", " 8:00"]
    # The text as stored, cut to 29 characters, shown in the system's code page.
    assert listing.lines() == [f"{t} - {x[:29].decode(code_page)}" for t, x in zip(times, texts)]
    assert listing.selected() == 0
    labels = {R.ADD: R.ADD_LABEL, R.CHANGE: R.CHANGE_LABEL, R.DELETE: R.DELETE_LABEL, H.IDOK: R.OK_LABEL,
              H.IDCANCEL: R.CANCEL_LABEL}
    assert {ident: listing.text(ident) for ident in labels} == labels
    shot(f"list-{locale}-{language}")
    listing.close_with(H.IDCANCEL)

    cal.right_click(seventh)
    for ident, kind in ((C.WEEKDAY_SUNDAY + 2, "weekday"), (C.EVERY_DAY, "every day"), (C.MONTHLY, "monthly"),
                        (C.YEARLY, "yearly")):
        listing = cal.open_list(ident)
        assert listing.title() == title_for(kind, august_7)
        listing.close_with(H.IDCANCEL)


def test_delete_asks_and_only_ok_writes(clocks):
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: THREE, "Day": NEVER}), local_time="12:00:00")
    original = clock.ini_path.read_bytes()
    cal, listing = list_of_march_5(clock)
    assert listing.lines() == THREE_LINES
    assert listing.selected() == 0

    listing.delete(H.IDNO)  # No changes nothing
    assert listing.lines() == THREE_LINES
    assert listing.selected() == 0  # the line asked about stays chosen
    # A double-click on a line changes it as Change does (here the change is
    # given up), and the list is filled anew either way, with the line chosen
    # before still chosen.
    for open_edit in (listing.open_edit_by_double_click, lambda: listing.open_edit(R.ADD)):
        listing.select(1)
        open_edit().end(H.IDCANCEL)
        assert listing.lines() == THREE_LINES
        assert listing.selected() == 1
    listing.select(2)  # the last line
    listing.delete(H.IDYES)
    assert listing.lines() == ["25:00 - one", "25:01 - two"]
    assert listing.selected() == 1  # the new last line
    listing.select(-1)
    listing.delete(H.IDYES)  # nothing selected: the first line goes
    assert listing.lines() == ["25:01 - two"]
    listing.close_with(H.IDCANCEL)
    assert clock.ini_path.read_bytes() == original  # Cancel wrote nothing

    listing = cal.open_list(day_button(MARCH_5))  # each opening reads the group afresh
    assert len(listing.lines()) == 3
    listing.delete(H.IDYES)
    listing.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == b"25: 1,two,\x83,;25: 2,three,\x83,;"
    assert stored_group(clock, "Day") == NEVER

    listing = cal.open_list(day_button(MARCH_5))
    listing.delete(H.IDYES)
    listing.delete(H.IDYES)
    listing.press(R.DELETE)  # on an empty list Delete asks nothing
    listing.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == b""  # the key stays, empty
    assert not cal.owned()


@pytest.mark.parametrize("locale", ["en", "ru"])
def test_a_group_of_40000_characters_survives_ok(clocks, locale):
    # Entries that never fire, with every byte a text may hold, and one more
    # that brings the group to exactly 40,000 characters.
    text = bytes(b for b in range(0x20, 0x100) if b not in b",;")

    def full_entry(i: int) -> bytes:
        return entry(25, i % 60, text, b"C:\\p.exe\x83-x", b"C:\\s.wav")

    group, count = b"", 0
    while len(group) + 2 * len(full_entry(0)) < 40000:
        group += full_entry(count)
        count += 1
    group += entry(25, 0, b"x" * (40000 - len(group) - len(entry(25, 0))))
    count += 1
    assert len(group) == 40000
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: group, "Day": NEVER}), local_time="12:00:00", locale=locale)
    cal, listing = list_of_march_5(clock)
    assert len(listing.lines()) == count
    listing.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == group
    assert stored_group(clock, "Day") == NEVER


def test_a_held_file_makes_ok_say_so_and_keep_the_list_open(clocks):
    """While another program holds the settings file, OK cannot write the group:
    it says so and the list stays open with the change made in it; once the file
    is free, OK writes it. A list asked for while the file is held is not opened."""
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: THREE}), local_time="12:00:00")
    cal, listing = list_of_march_5(clock)
    listing.delete(H.IDYES)
    clock.driver.hold(clock.ini_path)
    try:
        listing.press(H.IDOK)
        box = listing.box()
        assert box.caption == I.NOT_SAVED_CAPTION.russian
        assert box.text.startswith(R.NOT_SAVED.russian), box.text
        clock.dismiss(box)
        assert not listing.gone()
        assert len(listing.lines()) == 2
    finally:
        clock.driver.release()
    assert stored_group(clock, MARCH_5_KEY) == THREE
    listing.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == b"25: 1,two,\x83,;25: 2,three,\x83,;"

    # Nor is a list opened while the file cannot be read: it would show empty.
    clock.driver.hold(clock.ini_path)
    try:
        cal.press(day_button(MARCH_5))
        box = cal.box()
        assert box.text.startswith(R.UNREADABLE.russian), box.text
        clock.dismiss(box)
        wait_for(lambda: not cal.owned(), what="the box to close with no list opened")
    finally:
        clock.driver.release()
    cal.close_with(H.IDOK)


def test_two_lists_keep_their_own_working_lists(clocks):
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: THREE}), local_time="12:00:00")
    outer_cal, outer = list_of_march_5(clock)
    outer.delete(H.IDYES)
    assert outer.lines() == ["25:01 - two", "25:02 - three"]

    # A second calendar from the tray over the open list, and the same group in it.
    inner_cal = Calendar.open(clock, via="tray")
    inner_cal.go_to(3, 2001)
    inner = inner_cal.open_list(day_button(MARCH_5))
    assert inner.lines() == THREE_LINES
    inner.select(2)
    inner.delete(H.IDYES)
    inner.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == b"25: 0,one,\x83,;25: 1,two,\x83,;"
    inner_cal.close_with(H.IDOK)

    assert outer.lines() == ["25:01 - two", "25:02 - three"]
    outer.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == b"25: 1,two,\x83,;25: 2,three,\x83,;"
    assert outer_cal.shown() == (3, 2001)


def test_ok_rebuilds_todays_reminders_at_once(clocks):
    day = today()
    clock = clocks.start(ini=calendar_settings({"Day": NEVER}), local_time="10:00:15")
    # The group of today appears in the file only now, after today's list was
    # built: only a rebuild brings it in.
    clock.ini_path.write_bytes(calendar_settings({"Day": NEVER, group_keys(day)["date"]: b"10: 1,Rebuilt,\x83,;"}))
    cal = Calendar.open(clock)
    listing = cal.open_list(day_button(day))
    assert listing.lines() == ["10:01 - Rebuilt"]
    listing.close_with(H.IDOK)
    cal.close_with(H.IDOK)
    box = next_box(clock, timeout=75)
    assert box.text == "10:01 - Rebuilt"
    clock.dismiss(box)


def test_a_confirmed_list_while_a_reminder_box_waits(clocks):
    day = today()
    group = b"10: 0,first,\x83,;10: 0,second,\x83,;"
    clock = clocks.start(ini=calendar_settings({group_keys(day)["date"]: group}), local_time="10:00:03")
    first = next_box(clock)
    assert first.text == "10:00 - first"

    # The firing pass waits in the box; the list of today is changed and confirmed meanwhile.
    cal = Calendar.open(clock)
    listing = cal.open_list(day_button(day))
    listing.delete(H.IDYES)
    listing.delete(H.IDYES)
    listing.close_with(H.IDOK)
    cal.close_with(H.IDOK)
    assert stored_group(clock, group_keys(day)["date"]) == b""

    # The pass goes on with the list it started with.
    clock.dismiss(first)
    second = next_box(clock)
    assert second.text == "10:00 - second"
    clock.dismiss(second)
    assert clock.running


def test_a_group_past_what_the_program_reads_is_not_opened(clocks):
    # Only a hand-edited file holds a group over 1 MiB; opening it would cut it.
    hand_entry = b" 8:00,x,\x83,;"
    group = hand_entry * (1024 * 1024 // len(hand_entry) + 10)
    assert len(group) > 1024 * 1024
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: group}), local_time="12:00:00")
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    cal.press(day_button(MARCH_5))
    box = cal.box()
    assert (box.caption, box.text) == (R.DELETE_CAPTION.russian, R.TOO_LONG.russian)
    clock.dismiss(box)
    wait_for(lambda: not cal.owned(), what="the box to close with no list opened")
    cal.close_with(H.IDOK)
    assert stored_group(clock, MARCH_5_KEY) == group


def test_enter_changes_a_line_and_delete_asks_as_the_button_does(clocks):
    clock = clocks.start(ini=calendar_settings({MARCH_5_KEY: THREE}), local_time="12:00:00")
    cal, listing = list_of_march_5(clock)
    driver = cal.driver
    lines = listing.item(R.LINES)

    def delete_by_keys(left):
        wait_for(lambda: driver.focus(listing.hwnd)[0] == lines, what="the focus on the list")
        driver.keys("delete")
        box = listing.box()
        assert (box.caption, box.text) == (R.DELETE_CAPTION.russian, R.DELETE_QUESTION.russian)
        wait_for(lambda: driver.focus(box.hwnd)[2] == box.hwnd, what="the question in the foreground")
        driver.keys("enter")  # Yes
        wait_for(lambda: listing.lines() == left, what=f"the list left as {left}")

    wait_for(lambda: driver.focus(listing.hwnd)[0] == lines, what="the focus on the list")
    driver.keys("down")  # the second line
    wait_for(lambda: listing.selected() == 1, what="the second line selected")
    # Enter changes it, and does not close the list.
    edit = ReminderEdit.opened_by(clock, listing.hwnd, lambda: driver.keys("enter"), "the edit dialog",
                                  E.CAPTION.russian)
    assert edit.text(E.TEXT) == "two"
    wait_for(lambda: driver.focus(edit.hwnd)[2] == edit.hwnd, what="the edit dialog in the foreground")
    driver.keys("esc")
    wait_for(edit.gone, what="the edit dialog to close")
    assert not listing.gone() and listing.lines() == THREE_LINES
    # The line the keys changed stays chosen, so Delete asks about it, not the first.
    assert listing.selected() == 1
    delete_by_keys(["25:00 - one", "25:02 - three"])
    assert listing.selected() == 1  # the line that took its place
    delete_by_keys(["25:00 - one"])
    assert listing.selected() == 0  # the last went: the new last
    delete_by_keys([])
    driver.keys("enter")  # in an empty list: the default button, OK
    wait_for(listing.gone, what="the list to close by OK")
    assert stored_group(clock, MARCH_5_KEY) == b""
