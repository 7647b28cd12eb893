"""A save ended at the worst moment: the process ends between the keys of a
close, before its copy takes the file's place, or halfway through that
replace, and at random moments of a close of a 1 MiB file. The settings file
is always the old one or the new one, whole, and the next start clears what
the killed save left."""

from __future__ import annotations

import datetime
import random
import time

import pytest

import harness as H
from harness.big_settings import big_settings
from harness.settings_file import entry, settings_file
from harness.timezone import today

EDITIONS = ["271", "262"]
# A file the close adds many keys to: each goes into the copy in turn.
SMALL = settings_file({"Status": {"Language": "Eng"}, "Alarm": {"Day": entry(9, 0, "Tea")}, "Font": {"Name": "Arial"}})
# Before SMALL's reminder: a file without LastTime catches up the day's earlier
# reminders at the start, and that save would come before the close's.
BEFORE_ITS_REMINDER = "08:00"


def leftovers(clock: H.Clock) -> set[str]:
    folder = clock.ini_path.parent
    return {name for name in ("Horvik32.new", "Horvik32.old") if (folder / name).exists()}


@pytest.mark.parametrize("edition", EDITIONS)
def test_a_save_ended_before_its_replace_leaves_the_old_file_and_the_next_start_clears_it(clocks, edition):
    # Ended before the second key goes into the copy, and with the copy whole
    # and flushed just before it takes the file's place.
    for point in ("save-key:2:1:end", "save-replace:1:1:end"):
        clock = clocks.start(edition, ini=SMALL, env={"TIKKANO_FAULT": point}, local_time=BEFORE_ITS_REMINDER)
        clock.post(H.WM_CLOSE)
        assert clock.wait_exit() == 3, point
        assert clock.ini_path.read_bytes() == SMALL, point
        assert leftovers(clock) == {"Horvik32.new"}, point

        again = clocks.start(edition, cwd=clock.workdir, local_time=BEFORE_ITS_REMINDER)
        assert leftovers(again) == set(), point
        assert again.close() == 0
        saved = again.ini()
        assert (saved["Font"]["Name"], saved["Status"]["Language"]) == ("Arial", "Eng")
        assert saved["Alarm"]["Day"].strip() == H.Ini(SMALL)["Alarm"]["Day"].strip()

    # Halfway through the replace: the file moved aside, its copy not yet in
    # its place. The next start puts the old file back, byte for byte.
    folder = clock.ini_path.parent
    (folder / "Horvik32.old").write_bytes(SMALL)
    (folder / "Horvik32.new").write_bytes(b"[Status]\r\nLanguage=Rus\r\n")
    clock.ini_path.unlink()
    again = clocks.start(edition, cwd=clock.workdir, local_time=BEFORE_ITS_REMINDER)
    assert leftovers(again) == set()
    assert clock.ini_path.read_bytes() == SMALL
    again.kill()


def reads(text: bytes, changed: tuple[bytes, ...]) -> list[tuple[bytes, bytes]]:
    """Every line as a read of its key gives it (the rewrite drops the blanks
    round a value), in file order; the changed keys without their values."""
    lines = []
    for line in text.split(b"\r\n"):
        key, _, value = line.partition(b"=")
        lines.append((key, b"" if key in changed else value.strip(b" \t")))
    return lines


@pytest.mark.parametrize("edition", EDITIONS)
def test_a_close_killed_at_any_moment_leaves_the_old_file_or_the_new_one(clocks, edition):
    # The program's day is today's UTC date: its local time can only be set within a day of it.
    day = today()
    old = big_settings(day)
    changed = (b"X", b"Y", b"LastTime")
    seed = random.randrange(1 << 30)
    rng = random.Random(seed)
    outcomes = {"old": 0, "new": 0}
    started = time.monotonic()
    closing = None  # how long a close takes, from the first run, which is not killed
    for run in range(9):
        clock = clocks.start(edition, ini=old, local_time=datetime.datetime.combine(day, datetime.time(10, 30, 5)))
        place = (rng.randrange(0, 600), rng.randrange(0, 500))
        clock.driver.move(clock.hwnd, *place)
        asked = time.monotonic()
        clock.post(H.WM_CLOSE)
        if closing is None:
            assert clock.wait_exit() == 0
            closing = time.monotonic() - asked
        else:
            time.sleep(rng.uniform(0, 1.2 * closing))
            clock.kill()
        if not clock.ini_path.exists():
            # Killed inside the replace, between its two renames: the old file
            # waits beside it, and the next start puts it back.
            assert (clock.ini_path.parent / "Horvik32.old").read_bytes() == old, f"seed {seed}, run {run}"
            clocks.start(edition, cwd=clock.workdir).kill()
            outcomes["inside the replace"] = outcomes.get("inside the replace", 0) + 1
        after = clock.ini_path.read_bytes()
        assert after == old or reads(after, changed) == reads(old, changed), \
            f"seed {seed}, run {run}: the file is neither the old one nor a whole new one"
        if after == old:
            outcomes["old"] += 1
        else:
            saved = H.Ini(after)
            assert (saved["Position"]["X"], saved["Position"]["Y"]) == tuple(map(str, place)), f"seed {seed}"
            outcomes["new"] += 1
    assert outcomes["new"] >= 1
    print(f"seed {seed}: a close takes {closing * 1000:.0f} ms; {outcomes} in {time.monotonic() - started:.0f} s")
