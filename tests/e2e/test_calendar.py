"""The calendar dialog in the running clock: its texts, the month grid, the
navigation and its bounds, the marks and edges read from the screen, the
right-click selection, the group buttons, two calendars open at once, the
earlier edition's calendar and the painting's memory."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from harness.leaks import check_no_leak
from harness.settings_file import group_keys
from harness.timezone import today
from model import calendar as C
from pages.calendar import Calendar, calendar_settings, day_button, next_month, tab_order, title_of
from pages.reminder_list import NEVER, title_for

NOON = "12:00:00"


@pytest.mark.parametrize("locale,language", [("en", "Eng"), ("ru", "Rus"), ("en", "Rus"), ("ru", "Eng")])
def test_texts_in_both_languages(clocks, shot, locale, language):
    day = today()
    other = day.replace(day=1 if day.day != 1 else 2)
    groups = {group_keys(day)["date"]: NEVER, group_keys(other)["date"]: NEVER, "03": NEVER}
    clock = clocks.start(ini=calendar_settings(groups, language), local_time=NOON, locale=locale)
    cal = Calendar.open(clock)
    assert cal.title() == title_of(day.month, day.year, language)
    assert [cal.text(h) for h in C.WEEKDAY_HEADS] == [w.in_language(language) for w in C.WEEKDAY_NAMES]
    expected = {C.MONTH_BACK: C.MONTH_BACK_TEXT, C.MONTH_FORWARD: C.MONTH_FORWARD_TEXT, C.YEAR_BACK: C.YEAR_BACK_TEXT,
                C.YEAR_FORWARD: C.YEAR_FORWARD_TEXT, C.EVERY_DAY: C.EVERY_DAY_TEXT}
    expected = {ident: text.in_language(language) for ident, text in expected.items()}
    # These stay as the template has them in either language.
    expected.update({C.TODAY: C.TODAY_LABEL, C.MONTHLY: C.MONTHLY_LABEL, C.YEARLY: C.YEARLY_LABEL, H.IDOK: C.OK_LABEL})
    assert {ident: cal.text(ident) for ident in expected} == expected

    # A picture with the marks and a selected day.
    selected = day_button(day.replace(day=15 if day.day != 15 else 16))
    cal.right_click(selected)
    cal.wait_look(selected, C.PLAIN, C.SUNKEN_EDGE)
    cal.wait_look(day_button(day), C.BOTH_MARKS)
    shot(f"calendar-{locale}-{language}")
    cal.close_with(H.IDOK)
    assert clock.running


def test_month_grids_and_navigation_bounds(clocks):
    clock = clocks.start(ini=calendar_settings(), local_time=NOON)
    cal = Calendar.open(clock)
    start = today()
    assert cal.shown() == (start.month, start.year)

    # A 31-day month that begins on a Sunday takes the most buttons.
    cal.go_to(7, 2001)
    days = cal.days()
    assert list(days) == list(range(C.DAY_FIRST + 6, C.DAY_LAST)) and list(days.values()) == list(range(1, 32))
    assert not cal.driver.visible(cal.item(C.DAY_LAST))

    cal.go_to(2, 2100)
    assert list(cal.days().values()) == list(range(1, 29))  # 2100 is no leap year
    cal.go_to(1, 2101)
    assert min(cal.days()) == C.DAY_FIRST + 5  # 1 January 2101: Saturday row

    # Month steps carry across the year in both directions.
    cal.go_to(1, 2001)
    cal.press(C.MONTH_BACK)
    cal.wait_shown(12, 2000)
    cal.press(C.MONTH_FORWARD)
    cal.wait_shown(1, 2001)
    cal.press(C.TODAY)
    cal.wait_shown(start.month, start.year)

    # At the first and last year the calendar knows, steps out of them do
    # nothing; the step after them shows that they were taken and ignored.
    cal.go_to(1, 1)
    assert min(cal.days()) == C.DAY_FIRST  # 1 January 1: a Monday
    for ident in (C.YEAR_BACK, C.MONTH_BACK, C.MONTH_FORWARD):
        cal.press(ident)
    cal.wait_shown(2, 1)
    cal.go_to(12, 9999)
    assert cal.days()[C.DAY_FIRST + 2] == 1  # 1 December 9999: a Wednesday
    for ident in (C.YEAR_FORWARD, C.MONTH_FORWARD, C.MONTH_BACK):
        cal.press(ident)
    cal.wait_shown(11, 9999)
    assert clock.running


def test_marks_in_four_colours_and_a_confirmed_list_updates_them(clocks):
    day = today()
    other = day.replace(day=1 if day.day != 1 else 2)
    plain = day.replace(day=day.day + 1 if day.day < 28 else day.day - 1)
    if plain == other:
        plain = day.replace(day=3 if day.day != 3 else 4)
    groups = {group_keys(day)["date"]: NEVER, group_keys(other)["date"]: NEVER, "00": NEVER, "Day": NEVER, "M01": NEVER}
    clock = clocks.start(ini=calendar_settings(groups), local_time=NOON)
    cal = Calendar.open(clock)
    cal.wait_look(day_button(day), C.BOTH_MARKS, C.RAISED_EDGE)
    cal.wait_look(day_button(other), C.REMINDER_MARK, C.RAISED_EDGE)
    cal.wait_look(day_button(plain), C.PLAIN, C.RAISED_EDGE)
    cal.wait_look(C.WEEKDAY_SUNDAY, C.REMINDER_MARK)
    cal.wait_look(C.WEEKDAY_SATURDAY, C.PLAIN)
    cal.wait_look(C.EVERY_DAY, C.REMINDER_MARK)
    cal.wait_look(C.MONTHLY, C.PLAIN)  # monthly groups mark nothing

    # Emptying today's group through its list drops the reminder mark at once.
    listing = cal.open_list(day_button(day))
    listing.delete(H.IDYES)
    listing.close_with(H.IDOK)
    cal.wait_look(day_button(day), C.TODAY_MARK)
    # Cancel after changes leaves the marks as they were.
    listing = cal.open_list(day_button(other))
    listing.delete(H.IDYES)
    listing.close_with(H.IDCANCEL)
    cal.wait_look(day_button(other), C.REMINDER_MARK)


def test_right_click_selection_and_the_group_buttons(clocks, wine):
    clock = clocks.start(ini=calendar_settings(), local_time=NOON)
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    fifth, sixth = day_button(datetime.date(2001, 3, 5)), day_button(datetime.date(2001, 3, 6))

    cal.right_click(fifth)
    cal.wait_look(fifth, C.PLAIN, C.SUNKEN_EDGE)
    # Pressed and released, the selected day stays sunken.
    cal.set_pressed(fifth, True)
    cal.set_pressed(fifth, False)
    cal.wait_look(fifth, C.PLAIN, C.SUNKEN_EDGE)
    cal.right_click(sixth)  # moves the selection
    cal.wait_look(sixth, C.PLAIN, C.SUNKEN_EDGE)
    cal.wait_look(fifth, C.PLAIN, C.RAISED_EDGE)
    cal.right_click(sixth)  # a second right-click clears it
    cal.wait_look(sixth, C.PLAIN, C.RAISED_EDGE)

    cal.right_click(fifth)
    cal.wait_look(fifth, C.PLAIN, C.SUNKEN_EDGE)
    # Neither a hidden day button nor a weekday header takes the selection
    # (right-clicks are sent: handled when the call returns). Each group
    # button then opens the list of its group of the 5th, and OK writes the
    # key; the box that asks for a day would write none.
    cal.right_click(C.DAY_FIRST)  # hidden in March 2001
    cal.right_click(C.WEEKDAY_SUNDAY)
    for ident in (C.YEARLY, C.MONTHLY, fifth, C.WEEKDAY_SUNDAY, C.EVERY_DAY):
        cal.open_list(ident).close_with(H.IDOK)
    ini_now, of_5th = clock.ini(), group_keys(datetime.date(2001, 3, 5))
    written = (of_5th["yearly"], of_5th["monthly"], of_5th["date"], "00", of_5th["every day"])  # "00": Sunday's
    assert {k: ini_now.get("Alarm", k) for k in written} == dict.fromkeys(written, "")
    # The selection outlives the lists and goes with the next step.
    cal.wait_look(fifth, C.PLAIN, C.SUNKEN_EDGE)
    cal.press(C.MONTH_FORWARD)
    cal.wait_shown(4, 2001)
    cal.press(C.MONTH_BACK)
    cal.wait_shown(3, 2001)
    cal.wait_look(fifth, C.PLAIN, C.RAISED_EDGE)
    cal.press(C.YEARLY)
    clock.dismiss(cal.no_day_box())
    assert not cal.owned()


def test_no_day_selected_box_is_russian_in_english(clocks):
    clock = clocks.start(ini=calendar_settings(language="Eng"), local_time=NOON)
    cal = Calendar.open(clock)
    for ident in (C.MONTHLY, C.YEARLY):
        cal.press(ident)
        clock.dismiss(cal.no_day_box())


def test_two_calendars_keep_their_own_month_and_selection(clocks):
    clock = clocks.start(ini=calendar_settings(), local_time=NOON)
    first = Calendar.open(clock)
    first.go_to(3, 2001)
    fifth = day_button(datetime.date(2001, 3, 5))
    first.right_click(fifth)

    # A double-click on the tray icon opens a second calendar over the first.
    second = Calendar.open(clock, via="tray")
    start = today()
    assert second.shown() == (start.month, start.year)
    second.press(C.YEARLY)  # nothing selected in this one
    clock.dismiss(second.no_day_box())
    second.go_to(8, 2002)
    second.close_with(H.IDOK)

    assert first.shown() == (3, 2001)
    listing = first.open_list(C.YEARLY)
    assert listing.title() == title_for("yearly", datetime.date(2001, 3, 5))
    listing.close_with(H.IDCANCEL)
    listing = first.open_list(day_button(datetime.date(2001, 3, 7)))
    assert listing.title() == title_for("date", datetime.date(2001, 3, 7))
    listing.close_with(H.IDCANCEL)
    first.end(H.IDCANCEL)
    assert clock.running


def test_a_list_confirmed_in_a_second_calendar_marks_the_first_at_once(clocks):
    day = today()
    clock = clocks.start(ini=calendar_settings({group_keys(day)["date"]: NEVER}), local_time=NOON)
    button = day_button(day)
    first = Calendar.open(clock)
    first.wait_look(button, C.BOTH_MARKS)
    second = Calendar.open(clock, via="tray")
    listing = second.open_list(button)
    listing.delete(H.IDYES)
    listing.close_with(H.IDOK)
    second.wait_look(button, C.TODAY_MARK)
    second.close_with(H.IDOK)
    # The first calendar, not navigated since, paints the mark the file holds now.
    first.wait_look(button, C.TODAY_MARK)
    assert first.shown() == (day.month, day.year)


def test_earlier_edition_calendar(clocks):
    day = today()
    clocks.remove_windows_ini()
    earlier = clocks.start("262", ini=calendar_settings({group_keys(day)["date"]: NEVER}), local_time=NOON)
    cal = Calendar.open(earlier)
    assert not cal.has(C.MONTHLY) and not cal.has(C.YEARLY)
    assert cal.text(C.EVERY_DAY) == C.EVERY_DAY_TEXT.russian

    # "День" stands two dialog units lower than in the clock program.
    def gap(c):
        return c.driver.rect(c.item(C.EVERY_DAY))[1] - c.driver.rect(c.item(C.WEEKDAY_SUNDAY))[1]
    clock = clocks.start(ini=calendar_settings(), local_time=NOON)
    current = Calendar.open(clock)
    assert gap(cal) > gap(current)
    assert current.tab_order() == tab_order()
    assert cal.tab_order() == tab_order(edition="262")
    current.close_with(H.IDOK)

    # No selection: a right-click leaves the day raised, and nothing asks for
    # one. Sunken while pressed only: pressing and releasing the right-clicked
    # day draws it sunken and then raised again.
    button = day_button(day)
    cal.wait_look(button, C.BOTH_MARKS, C.RAISED_EDGE)
    other = day_button(day.replace(day=2 if day.day != 2 else 3))
    cal.right_click(other)
    cal.set_pressed(other, True)
    cal.wait_look(other, C.PLAIN, C.SUNKEN_EDGE)
    cal.set_pressed(other, False)
    cal.wait_look(other, C.PLAIN, C.RAISED_EDGE)
    cal.command_without_button(C.MONTHLY)
    listing = cal.open_list(C.EVERY_DAY)  # handled after the monthly button
    assert not [h for h in cal.owned() if h != listing.hwnd]
    assert listing.title() == title_for("every day", day)
    listing.close_with(H.IDCANCEL)


def test_painting_leaves_nothing_behind(clocks, driver):
    day = today()
    clock = clocks.start(ini=calendar_settings({group_keys(day)["date"]: NEVER, "Day": NEVER}), local_time=NOON)
    cal = Calendar.open(clock)
    buttons = [cal.item(day_button(day)), cal.item(C.EVERY_DAY), cal.item(C.WEEKDAY_SUNDAY)]
    cal.right_click(day_button(day))

    def burst(count):
        # Every paint of a button asks the calendar to draw it; navigation refills the grid.
        for _ in range(count // 250):
            for button in buttons:
                driver.post_many(button, H.WM_PAINT, 0, 0, 250)
            cal.press_many(C.MONTH_FORWARD, 10)
            cal.press_many(C.MONTH_BACK, 10)
        # Posted messages are handled in order: a step away marks the end.
        cal.press(C.MONTH_FORWARD)
        cal.wait_shown(*next_month(day.month, day.year))
        cal.press(C.MONTH_BACK)
        cal.wait_shown(day.month, day.year)

    check_no_leak(clock, burst, count=4000, warm_up=500)
