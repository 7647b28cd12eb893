"""Reminders firing in the minute pass of a running clock: from the tray,
after a cancelled log-off, while an earlier box is still open, and with no
font held over the box. Each starts just before a minute boundary and waits
for it."""

from __future__ import annotations

import harness as H
from harness.settings_file import COMMA, entry, settings_file, stamp
from harness.timezone import BOUNDARY_TIMEOUT, START_SECOND, START_TIMEOUT, before_the_minute, local
from model import reminder_box as B
from pages.reminder_box import next_box, no_box_for


def test_current_minute_fires_once_from_the_tray(clocks):
    """In the tray, the reminder of the next minute fires when that minute
    comes, once; the minute after it has none."""
    now = local(11, 59, START_SECOND)
    alarm = {"Day": entry(12, 0, b"Noon" + COMMA + b" plain Latin")}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, timeout=START_TIMEOUT)
    clock.command(H.SC_MINIMIZE)
    H._wait_until(lambda: not clock.visible(), 10, what="the indicator to go to the tray")
    assert clock.message_boxes() == []
    assert before_the_minute(clock), "the set-up took past 12:00: the machine is too slow for this test"

    box = next_box(clock, timeout=BOUNDARY_TIMEOUT)
    assert not clock.visible()
    assert box.text == "12:00 - Noon, plain Latin"
    clock.dismiss(box)
    no_box_for(clock, 4)
    assert clock.close() == 0


def test_a_cancelled_log_off_keeps_the_clock_and_its_next_reminder(clocks):
    """Another program calls the log-off off: the query saved the settings and
    the session goes on, and so does the clock, in the tray as it was: the next
    minute's reminder fires, and the tray icon still brings the indicator back."""
    now = local(11, 59, START_SECOND)
    alarm = {"Day": entry(12, 0, "After the log-off")}
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Alarm": alarm}), local_time=now,
                         timeout=START_TIMEOUT)
    clock.command(H.SC_MINIMIZE)
    H._wait_until(lambda: not clock.visible(), 10, what="the indicator to go to the tray")
    assert clock.send(H.WM_QUERYENDSESSION, 0, 0) == 1
    saved = clock.ini()
    assert (saved["Status"]["LastTime"], saved["Position"]["TrayStatus"]) == (stamp(now), "1")
    clock.send(H.WM_ENDSESSION, 0, 0)
    assert clock.running and not clock.visible()
    assert before_the_minute(clock), "the set-up took past 12:00: the machine is too slow for this test"

    box = next_box(clock, timeout=BOUNDARY_TIMEOUT)
    assert box.text == "12:00 - After the log-off"
    clock.dismiss(box)
    clock.command(H.SC_RESTORE)
    H._wait_until(clock.visible, 10, what="the indicator back from the tray")
    assert clock.close() == 0


def test_next_minute_fires_while_earlier_box_is_open(clocks):
    """The current minute's reminder fires at start; while its box is still
    open the next minute's reminder opens a second box."""
    now = local(12, 0, START_SECOND)
    alarm = {"Day": entry(12, 0, "First") + entry(12, 1, "Second")}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, timeout=START_TIMEOUT)

    first = next_box(clock, timeout=START_TIMEOUT)
    assert first.text == "12:00 - First"
    # Had the start taken past 12:01, the catch-up and the minute pass would
    # show the two boxes one after the other instead.
    assert before_the_minute(clock), "the first box came after 12:01: the machine is too slow for this test"
    boxes = clock.wait_message_boxes(2, timeout=BOUNDARY_TIMEOUT)
    assert len(boxes) == 2
    second = next(b for b in boxes if b.hwnd != first.hwnd)
    assert second.text == "12:01 - Second"
    assert second.caption == B.CAPTION.russian
    clock.dismiss(second)
    assert [b.hwnd for b in clock.message_boxes()] == [first.hwnd]
    clock.dismiss(first)
    no_box_for(clock)
    assert clock.close() == 0


def test_no_font_is_held_while_a_reminder_box_is_open(clocks, wine):
    """A reminder's box runs a nested message loop in which the clock settings
    can replace (and delete) the indicator's font: by the time the box opens,
    the refresh has put its device context's own font back."""
    now = local(10, 29, START_SECOND)
    settings = settings_file({"Status": None, "Alarm": {"Day": entry(10, 30, "Font check")},
                              "Font": {"Name": "Arial", "Size": -20}})
    clock = clocks.start(ini=settings, local_time=now, timeout=START_TIMEOUT)
    watch = wine.tmp / f"fonts-{clock.pid}.txt"
    clock.driver.watch_fonts(clock.pid, watch)
    assert before_the_minute(clock), "the watch came after 10:30: the machine is too slow for this test"

    box = next_box(clock, timeout=BOUNDARY_TIMEOUT)
    assert box.text == "10:30 - Font check"
    [line] = watch.read_text().splitlines()
    held, selections = int(line.split()[1]), int(line.split()[3])
    assert selections > 0, "the watch saw no font selected: it proves nothing"
    assert held == 0, f"{held} device context(s) still hold the indicator font over the box"
    clock.dismiss(box)
    assert clock.close() == 0
