"""Reminders from section Alarm of Horvik32.ini firing as the clock starts:
the catch-up of today's reminders before now, in list order and once, a
restart's LastTime, and a close or failing ticks in the middle of that pass."""

from __future__ import annotations

import datetime
import time

import harness as H
from harness.recorder import Recorder
from harness.settings_file import COMMA, entry, group_keys, settings_file, stamp
from harness.timezone import local
from pages.reminder_box import box_texts_in_turn, next_box, no_box_for


def test_catch_up_fires_today_in_list_order_once_in_russian(clocks):
    """First start ever: the reminders of today before now fire at start-up,
    in the order date, weekday, monthly, yearly, every day (not by time),
    each once; other days' groups and later reminders stay quiet."""
    now = local(10, 30, 5)
    today = now.date()
    k = group_keys(today)
    tomorrow = group_keys(today + datetime.timedelta(days=1))
    alarm = {
        k["date"]: entry(10, 0, "Дата".encode("cp1251") + COMMA + " один|два".encode("cp1251"))
                   + entry(23, 0, "Позже"),
        k["weekday"]: entry(8, 0, "Неделя"),
        k["monthly"]: entry(9, 5, "Месяц"),
        k["yearly"]: entry(7, 0, "Год"),
        "Day": entry(0, 0, "Каждый день"),
    }
    # Tomorrow's date, weekday, monthly and yearly groups.
    for kind in ("date", "weekday", "monthly", "yearly"):
        alarm[tomorrow[kind]] = entry(9, 0, "Не сегодня")
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, locale="ru")

    assert box_texts_in_turn(clock, 5) == [
        "10:00 - Дата, один\nдва",
        "08:00 - Неделя",
        "09:05 - Месяц",
        "07:00 - Год",
        "00:00 - Каждый день",
    ]
    no_box_for(clock)
    assert clock.close() == 0


def test_restart_same_day_and_after_another_day(clocks):
    """LastTime today: the closing minute's reminder does not fire again, the
    ones after it do. LastTime of another day: catch-up runs from 00:00."""
    now = local(10, 30, 5)
    alarm = {"Day": entry(0, 0, "Midnight") + entry(9, 39, "Before closing")
             + entry(9, 40, "Closing minute") + entry(9, 41, "After closing")
             + entry(10, 29, "Just before now") + entry(23, 0, "Tonight")}

    closed = stamp(now.replace(hour=9, minute=40))
    clock = clocks.start(ini=settings_file({"Status": {"LastTime": closed}, "Alarm": alarm}), local_time=now)
    assert box_texts_in_turn(clock, 2) == ["09:41 - After closing", "10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0

    yesterday = stamp((now - datetime.timedelta(days=1)).replace(hour=9, minute=40))
    clock = clocks.start(ini=settings_file({"Status": {"LastTime": yesterday}, "Alarm": alarm}), local_time=now)
    assert box_texts_in_turn(clock, 5) == [
        "00:00 - Midnight", "09:39 - Before closing", "09:40 - Closing minute",
        "09:41 - After closing", "10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0


def test_closing_over_a_reminder_box_ends_the_pass(clocks, wine):
    """Closing the program while the first catch-up box is open saves the
    settings and ends the program; the reminders still waiting in that pass
    neither show nor start anything."""
    recorder = Recorder(wine, "after-close")
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 0, "First") + entry(9, 1, "Second")
             + entry(9, 2, "", recorder.run_field(b"late"))}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now)
    box = next_box(clock)
    assert box.text == "09:00 - First"

    assert clock.close() == 0
    assert clock.ini()["Status"]["LastTime"] == stamp(now)
    time.sleep(1.5)
    assert not recorder.log.exists()
    assert clock.driver.find_all("#32770") == []


def test_ticks_failing_under_a_reminder_box_are_skipped(clocks, driver):
    """Refreshes that throw (the test's fault point makes the 3rd to 5th run out
    of memory, in the loop of the reminder box the first one opened) are
    skipped where they happen: the box stays usable, the indicator ticks on,
    is enabled again when the box closes, and the program saves at close."""
    now = local(10, 30, 5)
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": {"Day": entry(10, 0, "before the faults")}}),
                         local_time=now, env={"TIKKANO_FAULT": "refresh:3:3"})
    box = next_box(clock)
    assert box.text == "10:00 - before the faults"
    # Past the failing ticks, then one more refresh painted.
    H._wait_until(lambda: not clock.running or clock.seconds_running() > 7, 30, what="the failing ticks")
    assert clock.running
    left, top, right, bottom = clock.rect()
    before = driver.pixels(left, top, right, bottom)
    H._wait_until(lambda: driver.pixels(left, top, right, bottom) != before, 10, what="a later refresh")
    assert [b.hwnd for b in clock.message_boxes()] == [box.hwnd]
    clock.dismiss(box)
    H._wait_until(lambda: driver.enabled(clock.hwnd), 10, what="the indicator enabled again")
    assert clock.close() == 0
    assert clock.ini().get("Status", "LastTime")[:8] == now.strftime("%Y%m%d")
