"""Programs a reminder starts: with their parameters, in their own folder,
from a quoted path, or told when they cannot start; and the earlier edition,
which fires only in the minute pass and gives a started program no working
folder."""

from __future__ import annotations

import re

from harness.recorder import Recorder, same_folder
from harness.settings_file import COMMA, RUN, SEMICOLON, entry, group_keys, settings_file
from harness.timezone import BOUNDARY_TIMEOUT, START_SECOND, START_TIMEOUT, before_the_minute, local
from pages.reminder_box import next_box, no_box_for


def test_run_field_starts_program_in_its_folder(clocks, wine):
    """A reminder with a run field starts the program with its parameters (a
    stored comma and semicolon arrive as such) in the program's folder; with
    no text it shows no box, while the next reminder's box still comes."""
    recorder = Recorder(wine, "tools-271")
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 0, "", recorder.run_field(b"one a" + COMMA + b"b" + SEMICOLON + b"c"))
             + entry(9, 1, "After the program")}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now)

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


def test_a_program_that_cannot_start_is_told_and_a_quoted_path_starts_in_its_folder(clocks, wine):
    """A path in quotes (as Explorer copies it) starts in its own folder; a
    program that cannot start is told with Windows' reason, in the reminder's
    box or, for a reminder without text, in a box of its own."""
    recorder = Recorder(wine, "quoted-271")
    quoted = b'"' + recorder.wine_path.encode("cp1251") + b'"' + RUN + b"quoted"
    missing = b"C:\\no such folder\\gone.exe" + RUN
    alarm = {"Day": entry(9, 0, "", quoted) + entry(9, 1, "Backup", missing) + entry(9, 2, "", missing)}
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Alarm": alarm}),
                         local_time=local(10, 30, 5))

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


def test_earlier_edition_minute_only_and_no_working_folder(clocks, wine):
    """The earlier edition: no catch-up, monthly and yearly groups neither
    fire nor change, and a started program gets no working folder."""
    recorder = Recorder(wine, "tools-262")
    now = local(14, 14, START_SECOND)
    k = group_keys(now.date())
    monthly = entry(14, 15, "Monthly") + entry(9, 0, "Monthly early")
    yearly = entry(14, 15, "Yearly") + entry(9, 0, "Yearly early")
    alarm = {
        k["date"]: entry(9, 0, "Date early"),
        k["monthly"]: monthly,
        k["yearly"]: yearly,
        "Day": entry(14, 15, "Every day", recorder.run_field(b"p" + COMMA + b"q"))
               + entry(14, 13, "Earlier minute"),
    }
    clock = clocks.start("262", ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now,
                         timeout=START_TIMEOUT)
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
