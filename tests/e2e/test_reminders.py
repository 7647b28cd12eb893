"""Reminders from section Alarm of Horvik32.ini firing in the running clock:
catch-up at start-up, the minute pass, one message box at a time, programs
started by a reminder, and the earlier edition's narrower rules."""

from __future__ import annotations

import hashlib
import re

import datetime
import time

import pytest

import harness as H
from harness.big_settings import big_settings  # noqa: E402
from harness.recorder import Recorder, same_folder
from harness.timezone import local
from model import reminder_box as B
from pages.reminder_box import box_texts_in_turn, next_box, no_box_for

RUN = b"\x83"          # run separator byte
COMMA = b"\x82"        # a comma as stored
SEMICOLON = b"\x84"    # a semicolon as stored


def _bytes(value) -> bytes:
    return value if isinstance(value, bytes) else str(value).encode("cp1251")


def entry(hour: int, minute: int, text="", run=RUN, sound=b"") -> bytes:
    """One entry of a group as the program writes it: "%2d:%2d,text,run,sound;"."""
    return b"%2d:%2d,%s,%s,%s;" % (hour, minute, _bytes(text), _bytes(run), _bytes(sound))


def ini(alarm: dict[str, bytes], status: dict[str, str] | None = None) -> bytes:
    lines = [b"[Status]"] + [f"{k}={v}".encode() for k, v in (status or {}).items()]
    lines.append(b"[Alarm]")
    lines += [_bytes(key) + b"=" + value for key, value in alarm.items()]
    return b"\r\n".join(lines) + b"\r\n"


def keys_of(day: datetime.date) -> dict[str, str]:
    weekday = (day.weekday() + 1) % 7  # 0 = Sunday, as Windows counts
    return {
        "date": f"{day.day:02d}{day.month:02d}{day.year:04d}",
        "weekday": f"{weekday:02d}",
        "monthly": f"M{day.day:02d}",
        "yearly": f"Y{day.day:02d}{day.month:02d}",
    }


# Tests that wait for a minute boundary start this far into the minute before
# it: Wine may take many seconds to start a program on a busy machine, and what
# they check (a box opening at the boundary) needs the program up before it.
START_SECOND = 15
START_TIMEOUT = 40
BOUNDARY_TIMEOUT = 60 - START_SECOND + 30


def before_the_minute(clock: H.Clock) -> bool:
    """The program's clock, started at START_SECOND, has not yet reached the next minute."""
    return clock.seconds_running() + 1 < 60 - START_SECOND


def stamp(moment: datetime.datetime) -> str:
    return moment.strftime("%Y%m%d%H%M")


# --------------------------------------------------------------------------


def test_catch_up_fires_today_in_list_order_once_in_russian(clocks):
    """First start ever: the reminders of today before now fire at start-up,
    in the order date, weekday, monthly, yearly, every day (not by time),
    each once; other days' groups and later reminders stay quiet."""
    now = local(10, 30, 5)
    today = now.date()
    k = keys_of(today)
    other = keys_of(today + datetime.timedelta(days=1))
    alarm = {
        k["date"]: entry(10, 0, "Дата".encode("cp1251") + COMMA + " один|два".encode("cp1251"))
                   + entry(23, 0, "Позже"),
        k["weekday"]: entry(8, 0, "Неделя"),
        k["monthly"]: entry(9, 5, "Месяц"),
        k["yearly"]: entry(7, 0, "Год"),
        "Day": entry(0, 0, "Каждый день"),
    }
    # Tomorrow's date, weekday, monthly and yearly groups.
    for key in other.values():
        alarm[key] = entry(9, 0, "Не сегодня")
    clock = clocks.start(ini=ini(alarm), local_time=now, locale="ru")

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

    clock = clocks.start(ini=ini(alarm, {"LastTime": stamp(now.replace(hour=9, minute=40))}),
                         local_time=now)
    assert box_texts_in_turn(clock, 2) == ["09:41 - After closing", "10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0

    yesterday = (now - datetime.timedelta(days=1)).replace(hour=9, minute=40)
    clock = clocks.start(ini=ini(alarm, {"LastTime": stamp(yesterday)}), local_time=now)
    assert box_texts_in_turn(clock, 5) == [
        "00:00 - Midnight", "09:39 - Before closing", "09:40 - Closing minute",
        "09:41 - After closing", "10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0


def test_run_field_starts_program_in_its_folder(clocks, wine):
    """A reminder with a run field starts the program with its parameters (a
    stored comma and semicolon arrive as such) in the program's folder; with
    no text it shows no box, while the next reminder's box still comes."""
    recorder = Recorder(wine, "tools-271")
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 0, "", recorder.run_field(b"one a" + COMMA + b"b" + SEMICOLON + b"c"))
             + entry(9, 1, "After the program")}
    clock = clocks.start(ini=ini(alarm), local_time=now)

    # The box of the reminder without text would come before this one.
    box = next_box(clock)
    assert box.text == "09:01 - After the program"
    clock.dismiss(box)
    no_box_for(clock)

    [(folder, parameters, line)] = recorder.runs(1)
    assert same_folder(folder, recorder.folder), (folder, line)
    assert not same_folder(folder, clock.workdir)
    assert parameters == "one a,b;c", line
    assert clock.close() == 0


def test_current_minute_fires_once_from_the_tray(clocks):
    """In the tray, the reminder of the next minute fires when that minute
    comes, once; the minute after it has none."""
    now = local(11, 59, START_SECOND)
    alarm = {"Day": entry(12, 0, b"Noon" + COMMA + b" plain Latin")}
    clock = clocks.start(ini=ini(alarm), local_time=now, timeout=START_TIMEOUT)
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
    clock = clocks.start(ini=ini(alarm, {"Language": "Eng"}), local_time=now, timeout=START_TIMEOUT)
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


def test_a_program_that_cannot_start_is_told_and_a_quoted_path_starts_in_its_folder(clocks, wine):
    """A path in quotes (as Explorer copies it) starts in its own folder; a
    program that cannot start is told with Windows' reason, in the reminder's
    box or, for a reminder without text, in a box of its own."""
    recorder = Recorder(wine, "quoted-271")
    quoted = b'"' + recorder.wine_path.encode("cp1251") + b'"' + RUN + b"quoted"
    missing = b"C:\\no such folder\\gone.exe" + RUN
    alarm = {"Day": entry(9, 0, "", quoted) + entry(9, 1, "Backup", missing) + entry(9, 2, "", missing)}
    clock = clocks.start(ini=ini(alarm, {"Language": "Eng"}), local_time=local(10, 30, 5))

    told = "The reminder's program could not be started:\nC:\\no such folder\\gone.exe\n"
    for head in ("09:01 - Backup\n\n", ""):
        box = next_box(clock)
        assert box.text.startswith(head + told), box.text
        assert re.fullmatch(r".*\w.* \([23]\)", box.text[len(head + told):]), box.text
        clock.dismiss(box)
    no_box_for(clock)

    [(folder, parameters, line)] = recorder.runs(1)
    assert same_folder(folder, recorder.folder), (folder, line)
    assert parameters == "quoted", line
    assert clock.close() == 0


def test_next_minute_fires_while_earlier_box_is_open(clocks):
    """The current minute's reminder fires at start; while its box is still
    open the next minute's reminder opens a second box."""
    now = local(12, 0, START_SECOND)
    alarm = {"Day": entry(12, 0, "First") + entry(12, 1, "Second")}
    clock = clocks.start(ini=ini(alarm), local_time=now, timeout=START_TIMEOUT)

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


def test_earlier_edition_minute_only_and_no_working_folder(clocks, wine):
    """The earlier edition: no catch-up, monthly and yearly groups neither
    fire nor change, and a started program gets no working folder."""
    recorder = Recorder(wine, "tools-262")
    now = local(14, 14, START_SECOND)
    k = keys_of(now.date())
    monthly = entry(14, 15, "Monthly") + entry(9, 0, "Monthly early")
    yearly = entry(14, 15, "Yearly") + entry(9, 0, "Yearly early")
    alarm = {
        k["date"]: entry(9, 0, "Date early"),
        k["monthly"]: monthly,
        k["yearly"]: yearly,
        "Day": entry(14, 15, "Every day", recorder.run_field(b"p" + COMMA + b"q"))
               + entry(14, 13, "Earlier minute"),
    }
    clock = clocks.start("262", ini=ini(alarm), local_time=now, timeout=START_TIMEOUT)
    assert before_the_minute(clock), "the start took past 14:15: the machine is too slow for this test"

    box = next_box(clock, timeout=BOUNDARY_TIMEOUT)
    assert box.text == "14:15 - Every day"
    clock.dismiss(box)
    no_box_for(clock)

    [(folder, parameters, line)] = recorder.runs(1)
    # The program inherits the clock's current directory, not its own folder.
    assert not same_folder(folder, recorder.folder), (folder, line)
    assert same_folder(folder, clock.workdir), (folder, line)
    assert parameters == "p,q", line
    assert clock.close() == 0

    raw = clock.ini_path.read_bytes()
    assert b"\r\n" + k["monthly"].encode() + b"=" + monthly + b"\r\n" in raw
    assert b"\r\n" + k["yearly"].encode() + b"=" + yearly + b"\r\n" in raw


@pytest.mark.parametrize("edition", ["271", "262"])
def test_long_groups_are_read_whole(clocks, edition):
    """Groups far longer than any fixed buffer: five long keys of today, each
    ending with a reminder due now, fire every one of those reminders, the
    last one's text intact."""
    now = local(10, 30, 5)
    k = keys_of(now.date())
    filler = b"".join(entry(23, 59, "x" * 90) for _ in range(400))  # about 40,000 bytes
    long_text = "L" * 5000
    keys = [k["date"], k["weekday"], "Day"] if edition == "262" else \
        [k["date"], k["weekday"], k["monthly"], k["yearly"], "Day"]
    alarm = {key: filler + entry(10, 30, f"{key} {long_text if key == 'Day' else 'end'}") for key in keys}
    clock = clocks.start(edition, ini=ini(alarm), local_time=now)

    texts = box_texts_in_turn(clock, len(keys))
    assert texts == [f"10:30 - {key} " + (long_text if key == "Day" else "end") for key in keys]
    no_box_for(clock, seconds=1.5)
    assert clock.close() == 0
    saved = clock.ini()["Alarm"]
    for key in keys:
        assert len(saved[key]) == len(alarm[key])


def test_a_settings_file_of_1_mib_starts_fires_and_saves(clocks):
    """A file of 1 MiB: 1,000 reminders of today over the five kinds of group and
    a year of dated groups. The program starts, fires the two that fall due now,
    and its close saves the settings and leaves every group as it was."""
    now = local(10, 30, 5)
    k = keys_of(now.date())
    due = {k["date"]: entry(10, 30, "date due"), "Day": entry(10, 30, "every day due")}
    raw = big_settings(now.date(), extra=due)
    clock = clocks.start(ini=raw, local_time=now)
    assert box_texts_in_turn(clock, 2) == ["10:30 - date due", "10:30 - every day due"]
    no_box_for(clock, 1.5)
    assert clock.close() == 0
    saved, original = clock.ini(), H.Ini(raw)
    assert saved["Status"]["LastTime"] in (stamp(now), stamp(now + datetime.timedelta(minutes=1)))
    assert saved["Alarm"] == original["Alarm"]
    assert saved["Font"] == original["Font"] and saved["Colors"] == original["Colors"]


def test_closing_over_a_reminder_box_ends_the_pass(clocks, wine):
    """Closing the program while the first catch-up box is open saves the
    settings and ends the program; the reminders still waiting in that pass
    neither show nor start anything."""
    recorder = Recorder(wine, "after-close")
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 0, "First") + entry(9, 1, "Second")
             + entry(9, 2, "", recorder.run_field(b"late"))}
    clock = clocks.start(ini=ini(alarm), local_time=now)
    box = next_box(clock)
    assert box.text == "09:00 - First"

    assert clock.close() == 0
    assert clock.ini()["Status"]["LastTime"] == stamp(now)
    time.sleep(1.5)
    assert not recorder.log.exists()
    assert clock.driver.find_all("#32770") == []


def test_no_font_is_held_while_a_reminder_box_is_open(clocks, wine):
    """A reminder's box runs a nested message loop in which the clock settings
    can replace (and delete) the indicator's font: by the time the box opens,
    the refresh has put its device context's own font back."""
    now = local(10, 29, START_SECOND)
    settings = ini({"Day": entry(10, 30, "Font check")}) + b"[Font]\r\nName=Arial\r\nSize=-20\r\n"
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


MIB = 1 << 20


def oversized_group(key: str, size: int) -> bytes:
    """A hand-edited group of `size` bytes: a reminder due before now, filler due
    at 23:59, an entry due before now that the program's 1 MiB bound cuts in
    two, and more entries due before now past the bound."""
    head = entry(10, 0, f"{key} before the bound")
    filler = entry(23, 59, "x" * 80)
    body = head + filler * ((MIB - len(head) - 20) // len(filler))
    body += entry(10, 1, f"{key} cut by the bound " + "c" * 40)
    assert len(body) > MIB > len(body) - 60
    past = entry(10, 2, f"{key} past the bound")
    return body + past * ((size - len(body)) // len(past))


def alarm_values(raw: bytes, keys) -> dict[str, bytes]:
    values = {}
    for line in raw.split(b"\r\n"):
        key, sep, value = line.partition(b"=")
        if sep and key.decode("latin-1") in keys:
            values[key.decode("latin-1")] = value
    return values


def test_groups_far_past_the_bound_start_fire_whole_entries_and_stay(clocks):
    """Two groups of today of 64 MiB each (Wine reads such values whole): the
    program starts, fires only the whole entries before its 1 MiB bound, runs
    on, and its save at close leaves both groups as they were."""
    now = local(10, 30, 5)
    k = keys_of(now.date())
    alarm = {k["date"]: oversized_group(k["date"], 64 * MIB), "Day": oversized_group("Day", 64 * MIB)}
    clock = clocks.start(ini=ini(alarm), local_time=now, timeout=120)
    assert box_texts_in_turn(clock, 2) == [f"10:00 - {k['date']} before the bound", "10:00 - Day before the bound"]
    no_box_for(clock, 3)
    assert clock.running
    # Each value the close writes makes Wine rewrite the whole 128 MiB file: on a
    # busy machine that takes minutes.
    assert clock.close(timeout=300) == 0
    assert alarm_values(clock.ini_path.read_bytes(), alarm) == alarm



def test_a_settings_file_of_hundreds_of_mib_starts_runs_and_closes(clocks):
    """Five groups of today of 64 MiB each, a file of 320 MiB: the program reads
    it in pieces, starts and fires the whole entries before its bound of each
    group. The profile functions cannot load such a file in a 32-bit program:
    its close says the settings were not saved, and the file keeps every byte."""
    now = local(10, 30, 5)
    k = keys_of(now.date())
    keys = [k["date"], k["weekday"], k["monthly"], k["yearly"], "Day"]
    alarm = {key: oversized_group(key, 64 * MIB) for key in keys}
    clock = clocks.start(ini=ini(alarm), local_time=now, timeout=240)
    before = hashlib.sha256(clock.ini_path.read_bytes()).digest()
    assert clock.ini_path.stat().st_size > 300 * MIB
    assert box_texts_in_turn(clock, 5) == [f"10:00 - {key} before the bound" for key in keys]
    no_box_for(clock, 3)
    assert clock.running
    clock.post(H.WM_CLOSE)
    [box] = clock.wait_message_boxes(1, timeout=120)
    assert box.text.startswith("Настройки не сохранены") or box.text.startswith("The settings were not saved"), box.text
    clock.dismiss(box, H.IDCANCEL)
    assert clock.wait_exit(60) == 0
    assert hashlib.sha256(clock.ini_path.read_bytes()).digest() == before


def test_ticks_failing_under_a_reminder_box_are_skipped(clocks, driver):
    """Refreshes that throw (the test's fault point makes the 3rd to 5th run out
    of memory, in the loop of the reminder box the first one opened) are
    skipped where they happen: the box stays usable, the indicator ticks on,
    is enabled again when the box closes, and the program saves at close."""
    now = local(10, 30, 5)
    clock = clocks.start(ini=ini({"Day": entry(10, 0, "before the faults")}), local_time=now,
                         env={"TIKKANO_FAULT": "refresh:3:3"})
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


def test_groups_of_empty_entries_fire_their_real_ones(clocks):
    """Five groups of today, each one real entry followed by a million empty
    ones (just under 1 MiB each): only the real entries are kept, all five
    fire, and the save at close leaves the groups as they were."""
    now = local(10, 30, 5)
    k = keys_of(now.date())
    keys = [k["date"], k["weekday"], k["monthly"], k["yearly"], "Day"]
    alarm = {key: entry(10, 0, f"{key} real") + b";" * 1_000_000 for key in keys}
    assert all(len(value) < MIB for value in alarm.values())
    clock = clocks.start(ini=ini(alarm), local_time=now, timeout=120)
    assert box_texts_in_turn(clock, 5) == [f"10:00 - {key} real" for key in keys]
    no_box_for(clock, 2)
    assert clock.close(timeout=120) == 0
    assert alarm_values(clock.ini_path.read_bytes(), alarm) == alarm
