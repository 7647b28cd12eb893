"""The reminder list dialog in the running clock, opened from the calendar:
titles of the five kinds, list lines, Delete with its question, OK and Cancel
on the settings file, long groups, two lists at once, and today's reminders
rebuilt by a confirmed list."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from harness import wait_for
from calendar_helpers import (EVERY_DAY, LB_SETCURSEL, LBN_DBLCLK, LIST_ADD, LIST_DELETE, LIST_LINES, MONTHLY, NEVER, SUNDAY, YEARLY, Calendar, alarm_value,
                              date_key, day_button, ini)

REMINDER_CAPTION = "Вы просили напомнить..."
MARCH_5 = "05032001"
THREE = b"25: 0,one,\x83,;25: 1,two,\x83,;25: 2,three,\x83,;"


def today() -> datetime.date:
    return datetime.datetime.now(datetime.timezone.utc).date()


def list_of_march_5(clock) -> tuple[Calendar, "object"]:
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    return cal, cal.open_list(day_button(5, 3, 2001))


def reminder_boxes(clock) -> list[H.MessageBox]:
    return [b for b in clock.message_boxes() if b.caption == REMINDER_CAPTION]


@pytest.mark.parametrize("locale,language", [("en", "Eng"), ("ru", "Rus")])
def test_titles_of_all_five_kinds_and_the_lines(clocks, shot, locale, language):
    group = (b" 9:30,Team meeting\x86\x85Room 2,C:\\Tools\\notes.exe\x83agenda.txt,C:\\bell.wav;"
             b"17: 5,Go home,\x83,;"
             b" 8: 0,\xcf\xee\xe7\xe2\xee\xed\xe8\xf2\xfc \xe2 \xe1\xe0\xed\xea\x82 \xe0 \xef\xee\xf2\xee\xec \xe4\xe0\xeb\xfc\xf8\xe5,\x83,;")
    clock = clocks.start(ini=ini({"07082001": group}, language), local_time="12:00:00", locale=locale)
    cal = Calendar.open(clock)
    cal.go_to(8, 2001)
    seventh = day_button(7, 8, 2001)

    listing = cal.open_list(seventh)
    assert listing.title() == "Будильник ( 7 Август 2001г., Вт)"
    code_page = "cp1251" if locale == "ru" else "cp1252"
    texts = [b"Team meeting\x86\x85Room 2", b"Go home",
             b"\xcf\xee\xe7\xe2\xee\xed\xe8\xf2\xfc \xe2 \xe1\xe0\xed\xea\x82 \xe0 \xef\xee\xf2\xee\xec \xe4\xe0\xeb\xfc\xf8\xe5"]
    times = [" 9:30", "17:05", " 8:00"]
    # The text as stored, cut to 29 characters, shown in the system's code page.
    assert listing.lines() == [f"{t} - {x[:29].decode(code_page)}" for t, x in zip(times, texts)]
    assert listing.selected() == 0
    assert {ident: listing.text(ident) for ident in (1069, 1070, 1071, H.IDOK, H.IDCANCEL)} == {
        1069: "Добавить", 1070: "Изменить", 1071: "Удалить", H.IDOK: "OK", H.IDCANCEL: "Отмена"}
    shot(f"list-{locale}-{language}")
    listing.close_with(H.IDCANCEL)

    cal.right_click(seventh)
    for ident, title in ((SUNDAY + 2, "Будильник на Вт"), (EVERY_DAY, "Будильник на каждый день"),
                         (MONTHLY, "Будильник на 7 день любого месяца"),
                         (YEARLY, "Будильник на 7 августа любого года")):
        listing = cal.open_list(ident)
        assert listing.title() == title
        listing.close_with(H.IDCANCEL)


def test_delete_asks_and_only_ok_writes(clocks):
    clock = clocks.start(ini=ini({MARCH_5: THREE, "Day": NEVER}), local_time="12:00:00")
    original = clock.ini_path.read_bytes()
    cal, listing = list_of_march_5(clock)
    assert listing.lines() == ["25:00 - one", "25:01 - two", "25:02 - three"]
    assert listing.selected() == 0

    listing.delete_first(H.IDNO)  # No changes nothing
    assert listing.lines() == ["25:00 - one", "25:01 - two", "25:02 - three"]
    assert listing.selected() == 0  # the line asked about stays chosen
    # A double-click on a line changes it as Change does (here the change is
    # given up), and the list is filled anew either way, with the line chosen
    # before still chosen.
    for ident, code in ((LIST_LINES, LBN_DBLCLK), (LIST_ADD, 0)):
        cal.driver.send(listing.item(LIST_LINES), LB_SETCURSEL, 1, 0)
        cal.driver.post(listing.hwnd, H.WM_COMMAND, ident | code << 16, listing.item(ident))
        edit = wait_for(lambda: next(iter(listing.owned()), None), what="the edit dialog")
        cal.driver.post(edit, H.WM_COMMAND, H.IDCANCEL, 0)
        wait_for(lambda: not cal.driver.exists(edit), what="the edit dialog to close")
        assert listing.lines() == ["25:00 - one", "25:01 - two", "25:02 - three"]
        assert listing.selected() == 1
    cal.driver.send(listing.item(LIST_LINES), LB_SETCURSEL, 2, 0)  # the last line
    listing.delete_first(H.IDYES)
    assert listing.lines() == ["25:00 - one", "25:01 - two"]
    assert listing.selected() == 1  # the new last line
    cal.driver.send(listing.item(LIST_LINES), LB_SETCURSEL, -1, 0)
    listing.delete_first(H.IDYES)  # nothing selected: the first line goes
    assert listing.lines() == ["25:01 - two"]
    listing.close_with(H.IDCANCEL)
    assert clock.ini_path.read_bytes() == original  # Cancel wrote nothing

    listing = cal.open_list(day_button(5, 3, 2001))  # each opening reads the group afresh
    assert len(listing.lines()) == 3
    listing.delete_first(H.IDYES)
    listing.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == b"25: 1,two,\x83,;25: 2,three,\x83,;"
    assert alarm_value(clock, "Day") == NEVER

    listing = cal.open_list(day_button(5, 3, 2001))
    listing.delete_first(H.IDYES)
    listing.delete_first(H.IDYES)
    listing.press(LIST_DELETE)  # on an empty list Delete asks nothing
    listing.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == b""  # the key stays, empty
    assert not cal.owned()


@pytest.mark.parametrize("locale", ["en", "ru"])
def test_a_group_of_40000_characters_survives_ok(clocks, locale):
    # Entries that never fire, with every byte a text may hold, and one more
    # that brings the group to exactly 40,000 characters.
    text = bytes(b for b in range(0x20, 0x100) if b not in b",;")

    def entry(i: int) -> bytes:
        return b"25:%2d,%s,C:\\p.exe\x83-x,C:\\s.wav;" % (i % 60, text)

    group, count = b"", 0
    while len(group) + 2 * len(entry(0)) < 40000:
        group += entry(count)
        count += 1
    group += b"25: 0," + b"x" * (40000 - len(group) - len(b"25: 0,,\x83,;")) + b",\x83,;"
    count += 1
    assert len(group) == 40000
    clock = clocks.start(ini=ini({MARCH_5: group, "Day": NEVER}), local_time="12:00:00", locale=locale)
    cal, listing = list_of_march_5(clock)
    assert len(listing.lines()) == count
    listing.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == group
    assert alarm_value(clock, "Day") == NEVER


def test_a_held_file_makes_ok_say_so_and_keep_the_list_open(clocks):
    """While another program holds the settings file, OK cannot write the group:
    it says so and the list stays open with the change made in it; once the file
    is free, OK writes it. A list asked for while the file is held is not opened."""
    clock = clocks.start(ini=ini({MARCH_5: THREE}), local_time="12:00:00")
    cal, listing = list_of_march_5(clock)
    listing.delete_first(H.IDYES)
    clock.driver.hold(clock.ini_path)
    try:
        listing.press(H.IDOK)
        box = listing.box()
        assert box.caption == "Файл настроек"
        assert box.text.startswith("Напоминания не записаны: в файл Horvik32.ini нельзя записать"), box.text
        clock.dismiss(box)
        assert not listing.gone()
        assert len(listing.lines()) == 2
    finally:
        clock.driver.release()
    assert alarm_value(clock, MARCH_5) == THREE
    listing.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == b"25: 1,two,\x83,;25: 2,three,\x83,;"

    # Nor is a list opened while the file cannot be read: it would show empty.
    clock.driver.hold(clock.ini_path)
    try:
        cal.press(day_button(5, 3, 2001))
        box = cal.box()
        assert box.text.startswith("Файл Horvik32.ini сейчас нельзя прочитать"), box.text
        clock.dismiss(box)
        wait_for(lambda: not cal.owned(), what="the box to close with no list opened")
    finally:
        clock.driver.release()
    cal.close_with(H.IDOK)


def test_two_lists_keep_their_own_working_lists(clocks):
    clock = clocks.start(ini=ini({MARCH_5: THREE}), local_time="12:00:00")
    outer_cal, outer = list_of_march_5(clock)
    outer.delete_first(H.IDYES)
    assert outer.lines() == ["25:01 - two", "25:02 - three"]

    # A second calendar from the tray over the open list, and the same group in it.
    inner_cal = Calendar.open(clock, via="tray")
    inner_cal.go_to(3, 2001)
    inner = inner_cal.open_list(day_button(5, 3, 2001))
    assert inner.lines() == ["25:00 - one", "25:01 - two", "25:02 - three"]
    inner_cal.driver.send(inner.item(LIST_LINES), LB_SETCURSEL, 2, 0)
    inner.delete_first(H.IDYES)
    inner.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == b"25: 0,one,\x83,;25: 1,two,\x83,;"
    inner_cal.close_with(H.IDOK)

    assert outer.lines() == ["25:01 - two", "25:02 - three"]
    outer.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == b"25: 1,two,\x83,;25: 2,three,\x83,;"
    assert outer_cal.shown() == (3, 2001)


def test_ok_rebuilds_todays_reminders_at_once(clocks):
    day = today()
    clock = clocks.start(ini=ini({"Day": NEVER}), local_time="10:00:15")
    # The group of today appears in the file only now, after today's list was
    # built: only a rebuild brings it in.
    clock.ini_path.write_bytes(ini({"Day": NEVER, date_key(day): b"10: 1,Rebuilt,\x83,;"}))
    cal = Calendar.open(clock)
    listing = cal.open_list(day_button(day.day, day.month, day.year))
    assert listing.lines() == ["10:01 - Rebuilt"]
    listing.close_with(H.IDOK)
    cal.close_with(H.IDOK)
    box = wait_for(lambda: (lambda b: b[0] if b else None)(reminder_boxes(clock)), timeout=75,
                   what="the reminder of 10:01")
    assert box.text == "10:01 - Rebuilt"
    clock.dismiss(box)


def test_a_confirmed_list_while_a_reminder_box_waits(clocks):
    day = today()
    group = b"10: 0,first,\x83,;10: 0,second,\x83,;"
    clock = clocks.start(ini=ini({date_key(day): group}), local_time="10:00:03")
    first = wait_for(lambda: (lambda b: b[0] if b else None)(reminder_boxes(clock)), what="the first reminder")
    assert first.text == "10:00 - first"

    # The firing pass waits in the box; the list of today is changed and confirmed meanwhile.
    cal = Calendar.open(clock)
    listing = cal.open_list(day_button(day.day, day.month, day.year))
    listing.delete_first(H.IDYES)
    listing.delete_first(H.IDYES)
    listing.close_with(H.IDOK)
    cal.close_with(H.IDOK)
    assert alarm_value(clock, date_key(day)) == b""

    # The pass goes on with the list it started with.
    clock.dismiss(first)
    second = wait_for(lambda: (lambda b: b[0] if b else None)(reminder_boxes(clock)), what="the second reminder")
    assert second.text == "10:00 - second"
    clock.dismiss(second)
    assert clock.running


def test_a_group_past_what_the_program_reads_is_not_opened(clocks):
    # Only a hand-edited file holds a group over 1 MiB; opening it would cut it.
    entry = b" 8:00,x,\x83,;"
    group = entry * (1024 * 1024 // len(entry) + 10)
    assert len(group) > 1024 * 1024
    clock = clocks.start(ini=ini({MARCH_5: group}), local_time="12:00:00")
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    cal.press(day_button(5, 3, 2001))
    box = cal.box()
    assert box.caption == "Строка планировщика" and "1 МБ" in box.text
    clock.dismiss(box)
    wait_for(lambda: not cal.owned(), what="the box to close with no list opened")
    cal.close_with(H.IDOK)
    assert alarm_value(clock, MARCH_5) == group


def test_enter_changes_a_line_and_delete_asks_as_the_button_does(clocks):
    clock = clocks.start(ini=ini({MARCH_5: THREE}), local_time="12:00:00")
    cal, listing = list_of_march_5(clock)
    driver = cal.driver
    lines = listing.item(LIST_LINES)

    def delete_by_keys(left):
        wait_for(lambda: driver.focus(listing.hwnd)[0] == lines, what="the focus on the list")
        driver.keys("delete")
        box = listing.box()
        assert (box.caption, box.text) == ("Строка планировщика", "Удалить?")
        wait_for(lambda: driver.focus(box.hwnd)[2] == box.hwnd, what="the question in the foreground")
        driver.keys("enter")  # Yes
        wait_for(lambda: listing.lines() == left, what=f"the list left as {left}")

    wait_for(lambda: driver.focus(listing.hwnd)[0] == lines, what="the focus on the list")
    driver.keys("down")  # the second line
    wait_for(lambda: listing.selected() == 1, what="the second line selected")
    driver.keys("enter")  # changes it, and does not close the list
    edit = wait_for(lambda: next(iter(listing.owned()), None), what="the edit dialog")
    assert driver.text(driver.dlgitem(edit, 1076)) == "two"
    wait_for(lambda: driver.focus(edit)[2] == edit, what="the edit dialog in the foreground")
    driver.keys("esc")
    wait_for(lambda: not driver.exists(edit), what="the edit dialog to close")
    assert not listing.gone() and listing.lines() == ["25:00 - one", "25:01 - two", "25:02 - three"]
    # The line the keys changed stays chosen, so Delete asks about it, not the first.
    assert listing.selected() == 1
    delete_by_keys(["25:00 - one", "25:02 - three"])
    assert listing.selected() == 1  # the line that took its place
    delete_by_keys(["25:00 - one"])
    assert listing.selected() == 0  # the last went: the new last
    delete_by_keys([])
    driver.keys("enter")  # in an empty list: the default button, OK
    wait_for(listing.gone, what="the list to close by OK")
    assert alarm_value(clock, MARCH_5) == b""
