"""The calendar dialog in the running clock: its texts, the month grid, the
navigation and its bounds, the marks and edges read from the screen, the
right-click selection, the group buttons, two calendars open at once, the
earlier edition's calendar and the painting's memory."""

from __future__ import annotations

import datetime

import pytest

import harness as H
from calendar_helpers import (BM_SETSTATE, BOTH_MARKS, DAY_FIRST, DAY_LAST, EVERY_DAY, GREY, MONTH_BACK, MONTH_FORWARD,
                              MONTHLY, NEVER, NO_DAY_CAPTION, NO_DAY_TEXT, PLAIN, REMINDER_MARK, SATURDAY,
                              SUNDAY, TODAY, TODAY_MARK, WHITE, WM_PAINT, YEAR_BACK, YEAR_FORWARD, YEARLY,
                              Calendar, ENGLISH_MONTHS, RUSSIAN_MONTHS, date_key, day_button, ini)

NOON = "12:00:00"


def today() -> datetime.date:
    """The date the clock sees when started at NOON."""
    return datetime.datetime.now(datetime.timezone.utc).date()


@pytest.mark.parametrize("locale,language", [("en", "Eng"), ("ru", "Rus"), ("en", "Rus"), ("ru", "Eng")])
def test_texts_in_both_languages(clocks, shot, locale, language):
    day = today()
    other = day.replace(day=1 if day.day != 1 else 2)
    clock = clocks.start(ini=ini({date_key(day): NEVER, date_key(other): NEVER, "03": NEVER}, language),
                         local_time=NOON, locale=locale)
    cal = Calendar.open(clock)
    english = language == "Eng"
    month = (ENGLISH_MONTHS if english else RUSSIAN_MONTHS)[day.month - 1]
    assert cal.title() == (f"Calendar ( {month} {day.year} )" if english else f"Календарь ( {month} {day.year} )")
    weekdays = (["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"] if english
                else ["Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"])
    assert [cal.text(SUNDAY + i) for i in range(7)] == weekdays
    expected = {1053: "Month <", 1054: "Month >", 1055: "Year <", 1056: "Year >", EVERY_DAY: "Day"} if english \
        else {1053: "Месяц <", 1054: "Месяц >", 1055: "Год <", 1056: "Год >", EVERY_DAY: "День"}
    # These three stay Russian in either language.
    expected.update({TODAY: "Сегодня", MONTHLY: "Месяц", YEARLY: "Год", H.IDOK: "OK"})
    assert {ident: cal.text(ident) for ident in expected} == expected

    # A picture with the marks and a selected day.
    selected = day_button(15 if day.day != 15 else 16, day.month, day.year)
    cal.right_click(selected)
    cal.wait_look(selected, PLAIN, GREY)
    cal.wait_look(day_button(day.day, day.month, day.year), BOTH_MARKS)
    shot(f"calendar-{locale}-{language}")
    cal.close_with(H.IDOK)
    assert clock.running


def test_month_grids_and_navigation_bounds(clocks):
    clock = clocks.start(ini=ini(), local_time=NOON)
    cal = Calendar.open(clock)
    start = today()
    assert cal.shown() == (start.month, start.year)

    # A 31-day month that begins on a Sunday takes the most buttons.
    cal.go_to(7, 2001)
    days = cal.days()
    assert list(days) == list(range(1107, 1138)) and list(days.values()) == list(range(1, 32))
    assert not cal.driver.visible(cal.item(DAY_LAST))

    cal.go_to(2, 2100)
    assert list(cal.days().values()) == list(range(1, 29))  # 2100 is no leap year
    cal.go_to(1, 2101)
    assert min(cal.days()) == DAY_FIRST + 5  # 1 January 2101: Saturday row

    # Month steps carry across the year in both directions.
    cal.go_to(1, 2001)
    cal.press(MONTH_BACK)
    cal.wait_shown(12, 2000)
    cal.press(MONTH_FORWARD)
    cal.wait_shown(1, 2001)
    cal.press(TODAY)
    cal.wait_shown(start.month, start.year)

    # At the first and last year the calendar knows, steps out of them do
    # nothing; the step after them shows that they were taken and ignored.
    cal.go_to(1, 1)
    assert min(cal.days()) == DAY_FIRST  # 1 January 1: a Monday
    for ident in (YEAR_BACK, MONTH_BACK, MONTH_FORWARD):
        cal.press(ident)
    cal.wait_shown(2, 1)
    cal.go_to(12, 9999)
    assert cal.days()[DAY_FIRST + 2] == 1  # 1 December 9999: a Wednesday
    for ident in (YEAR_FORWARD, MONTH_FORWARD, MONTH_BACK):
        cal.press(ident)
    cal.wait_shown(11, 9999)
    assert clock.running


def test_marks_in_four_colours_and_a_confirmed_list_updates_them(clocks):
    day = today()
    other = day.replace(day=1 if day.day != 1 else 2)
    plain = day.replace(day=day.day + 1 if day.day < 28 else day.day - 1)
    if plain == other:
        plain = day.replace(day=3 if day.day != 3 else 4)
    clock = clocks.start(ini=ini({date_key(day): NEVER, date_key(other): NEVER, "00": NEVER, "Day": NEVER,
                                  "M01": NEVER}), local_time=NOON)
    cal = Calendar.open(clock)
    button = lambda d: day_button(d.day, d.month, d.year)
    cal.wait_look(button(day), BOTH_MARKS, WHITE)
    cal.wait_look(button(other), REMINDER_MARK, WHITE)
    cal.wait_look(button(plain), PLAIN, WHITE)
    cal.wait_look(SUNDAY, REMINDER_MARK)
    cal.wait_look(SATURDAY, PLAIN)
    cal.wait_look(EVERY_DAY, REMINDER_MARK)
    cal.wait_look(MONTHLY, PLAIN)  # monthly groups mark nothing

    # Emptying today's group through its list drops the reminder mark at once.
    listing = cal.open_list(button(day))
    listing.delete_first(H.IDYES)
    listing.close_with(H.IDOK)
    cal.wait_look(button(day), TODAY_MARK)
    # Cancel after changes leaves the marks as they were.
    listing = cal.open_list(button(other))
    listing.delete_first(H.IDYES)
    listing.close_with(H.IDCANCEL)
    cal.wait_look(button(other), REMINDER_MARK)


def test_right_click_selection_and_the_group_buttons(clocks, wine):
    clock = clocks.start(ini=ini(), local_time=NOON)
    cal = Calendar.open(clock)
    cal.go_to(3, 2001)
    fifth, sixth = day_button(5, 3, 2001), day_button(6, 3, 2001)

    cal.right_click(fifth)
    cal.wait_look(fifth, PLAIN, GREY)
    # Pressed and released, the selected day stays sunken.
    cal.driver.send(cal.item(fifth), BM_SETSTATE, 1, 0)
    cal.driver.send(cal.item(fifth), BM_SETSTATE, 0, 0)
    cal.wait_look(fifth, PLAIN, GREY)
    cal.right_click(sixth)  # moves the selection
    cal.wait_look(sixth, PLAIN, GREY)
    cal.wait_look(fifth, PLAIN, WHITE)
    cal.right_click(sixth)  # a second right-click clears it
    cal.wait_look(sixth, PLAIN, WHITE)

    cal.right_click(fifth)
    cal.wait_look(fifth, PLAIN, GREY)
    # Neither a hidden day button nor a weekday header takes the selection
    # (right-clicks are sent: handled when the call returns). Each group
    # button then opens the list of its group of the 5th, and OK writes the
    # key; the box that asks for a day would write none.
    cal.right_click(DAY_FIRST)  # hidden in March 2001
    cal.right_click(SUNDAY)
    for ident in (YEARLY, MONTHLY, fifth, SUNDAY, EVERY_DAY):
        cal.open_list(ident).close_with(H.IDOK)
    ini_now = clock.ini()
    assert {k: ini_now.get("Alarm", k) for k in ("Y0503", "M05", "05032001", "00", "Day")} == dict.fromkeys(
        ("Y0503", "M05", "05032001", "00", "Day"), "")
    # The selection outlives the lists and goes with the next step.
    cal.wait_look(fifth, PLAIN, GREY)
    cal.press(MONTH_FORWARD)
    cal.wait_shown(4, 2001)
    cal.press(MONTH_BACK)
    cal.wait_shown(3, 2001)
    cal.wait_look(fifth, PLAIN, WHITE)
    cal.press(YEARLY)
    box = cal.box()
    assert (box.caption, box.text) == (NO_DAY_CAPTION, NO_DAY_TEXT)
    clock.dismiss(box)
    assert not cal.owned()


def test_no_day_selected_box_is_russian_in_english(clocks):
    clock = clocks.start(ini=ini(language="Eng"), local_time=NOON)
    cal = Calendar.open(clock)
    for ident in (MONTHLY, YEARLY):
        cal.press(ident)
        box = cal.box()
        assert (box.caption, box.text) == (NO_DAY_CAPTION, NO_DAY_TEXT)
        clock.dismiss(box)


def test_two_calendars_keep_their_own_month_and_selection(clocks):
    clock = clocks.start(ini=ini(), local_time=NOON)
    first = Calendar.open(clock)
    first.go_to(3, 2001)
    fifth = day_button(5, 3, 2001)
    first.right_click(fifth)

    # A double-click on the tray icon opens a second calendar over the first.
    second = Calendar.open(clock, via="tray")
    start = today()
    assert second.shown() == (start.month, start.year)
    second.press(YEARLY)  # nothing selected in this one
    box = second.box()
    assert box.text == NO_DAY_TEXT
    clock.dismiss(box)
    second.go_to(8, 2002)
    second.close_with(H.IDOK)

    assert first.shown() == (3, 2001)
    listing = first.open_list(YEARLY)
    assert listing.title() == "Будильник на 5 марта любого года"
    listing.close_with(H.IDCANCEL)
    listing = first.open_list(day_button(7, 3, 2001))
    assert listing.title() == "Будильник ( 7 Март 2001г., Ср)"
    listing.close_with(H.IDCANCEL)
    first.close_with(H.IDCANCEL)
    assert clock.running


def test_a_list_confirmed_in_a_second_calendar_marks_the_first_at_once(clocks):
    day = today()
    clock = clocks.start(ini=ini({date_key(day): NEVER}), local_time=NOON)
    button = day_button(day.day, day.month, day.year)
    first = Calendar.open(clock)
    first.wait_look(button, BOTH_MARKS)
    second = Calendar.open(clock, via="tray")
    listing = second.open_list(button)
    listing.delete_first(H.IDYES)
    listing.close_with(H.IDOK)
    second.wait_look(button, TODAY_MARK)
    second.close_with(H.IDOK)
    # The first calendar, not navigated since, paints the mark the file holds now.
    first.wait_look(button, TODAY_MARK)
    assert first.shown() == (day.month, day.year)


def test_earlier_edition_calendar(clocks):
    day = today()
    clocks.remove_windows_ini()
    earlier = clocks.start("262", ini=ini({date_key(day): NEVER}), local_time=NOON)
    cal = Calendar.open(earlier)
    assert cal.item(MONTHLY) is None and cal.item(YEARLY) is None
    assert cal.text(EVERY_DAY) == "День"

    # "День" stands two dialog units lower than in the clock program.
    def gap(c):
        return c.driver.rect(c.item(EVERY_DAY))[1] - c.driver.rect(c.item(SUNDAY))[1]
    clock = clocks.start(ini=ini(), local_time=NOON)
    current = Calendar.open(clock)
    assert gap(cal) > gap(current)
    order = [H.IDOK, 1201, 1202, 1203, 1204, 1205, 1206, 1200, *range(DAY_FIRST, DAY_LAST + 1), 1053, 1054,
             1055, 1056, EVERY_DAY, TODAY]
    assert current.tab_order() == order + [MONTHLY, YEARLY]
    assert cal.tab_order() == order
    current.close_with(H.IDOK)

    # No selection: a right-click leaves the day raised, and nothing asks for
    # one. Sunken while pressed only: pressing and releasing the right-clicked
    # day draws it sunken and then raised again.
    button = day_button(day.day, day.month, day.year)
    cal.wait_look(button, BOTH_MARKS, WHITE)
    other = day_button(2 if day.day != 2 else 3, day.month, day.year)
    cal.right_click(other)
    cal.driver.send(cal.item(other), BM_SETSTATE, 1, 0)
    cal.wait_look(other, PLAIN, GREY)
    cal.driver.send(cal.item(other), BM_SETSTATE, 0, 0)
    cal.wait_look(other, PLAIN, WHITE)
    cal.press(MONTHLY)
    listing = cal.open_list(EVERY_DAY)  # handled after the monthly button
    assert not [h for h in cal.owned() if h != listing.hwnd]
    assert listing.title() == "Будильник на каждый день"
    listing.close_with(H.IDCANCEL)


def test_painting_leaves_nothing_behind(clocks, driver):
    day = today()
    clock = clocks.start(ini=ini({date_key(day): NEVER, "Day": NEVER}), local_time=NOON)
    cal = Calendar.open(clock)
    buttons = [cal.item(day_button(day.day, day.month, day.year)), cal.item(EVERY_DAY), cal.item(SUNDAY)]
    cal.right_click(day_button(day.day, day.month, day.year))

    def burst(count):
        # Every paint of a button asks the calendar to draw it; navigation refills the grid.
        for _ in range(count // 250):
            for button in buttons:
                driver.post_many(button, WM_PAINT, 0, 0, 250)
            driver.post_many(cal.hwnd, H.WM_COMMAND, MONTH_FORWARD, cal.item(MONTH_FORWARD), 10)
            driver.post_many(cal.hwnd, H.WM_COMMAND, MONTH_BACK, cal.item(MONTH_BACK), 10)
        # Posted messages are handled in order: a step away marks the end.
        cal.press(MONTH_FORWARD)
        cal.wait_shown(*(lambda m, y: (1, y + 1) if m == 12 else (m + 1, y))(day.month, day.year))
        cal.press(MONTH_BACK)
        cal.wait_shown(day.month, day.year)

    clock.fill_dc_cache()
    burst(500)  # warm-up
    objects_before = clock.gdi_objects()  # loads the counting DLL before the memory is read
    assert objects_before > 0, "the count read no GDI objects: it proves nothing"
    before = clock.memory()[0]
    burst(4000)
    after = clock.memory()[0]
    assert clock.running
    # A count may catch a paint in progress holding a few; a leak would be thousands.
    objects_after = clock.gdi_objects()
    assert 0 < objects_after <= objects_before + 4, (objects_before, objects_after)
    assert after - before < 64 * 1024, (before, after)
