"""Big and hand-edited groups of reminders: groups far longer than any fixed
buffer, a settings file of 1 MiB, groups past the program's bound of 1 MiB a
group (up to a file of hundreds of MiB), and groups of empty entries."""

from __future__ import annotations

import datetime
import hashlib

import pytest

import harness as H
from harness.big_settings import MIB, alarm_values, big_settings, oversized_group
from harness.settings_file import entry, group_keys, settings_file, stamp
from harness.timezone import local
from pages.reminder_box import box_texts_in_turn, no_box_for


@pytest.mark.parametrize("edition", ["271", "262"])
def test_long_groups_are_read_whole(clocks, edition):
    """Groups far longer than any fixed buffer: five long keys of today, each
    ending with a reminder due now, fire every one of those reminders, the
    last one's text intact."""
    now = local(10, 30, 5)
    k = group_keys(now.date())
    filler = b"".join(entry(23, 59, "x" * 90) for _ in range(400))  # about 40,000 bytes
    long_text = "L" * 5000
    keys = [k["date"], k["weekday"], "Day"] if edition == "262" else list(k.values())
    alarm = {key: filler + entry(10, 30, f"{key} {long_text if key == 'Day' else 'end'}") for key in keys}
    clock = clocks.start(edition, ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now)

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
    k = group_keys(now.date())
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


def test_groups_far_past_the_bound_start_fire_whole_entries_and_stay(clocks):
    """Two groups of today of 64 MiB each (Wine reads such values whole): the
    program starts, fires only the whole entries before its 1 MiB bound, runs
    on, and its save at close leaves both groups as they were."""
    now = local(10, 30, 5)
    k = group_keys(now.date())
    alarm = {k["date"]: oversized_group(k["date"], 64 * MIB), "Day": oversized_group("Day", 64 * MIB)}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, timeout=120)
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
    keys = list(group_keys(now.date()).values())
    alarm = {key: oversized_group(key, 64 * MIB) for key in keys}
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, timeout=240)
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


def test_groups_of_empty_entries_fire_their_real_ones(clocks):
    """Five groups of today, each one real entry followed by a million empty
    ones (just under 1 MiB each): only the real entries are kept, all five
    fire, and the save at close leaves the groups as they were."""
    now = local(10, 30, 5)
    keys = list(group_keys(now.date()).values())
    alarm = {key: entry(10, 0, f"{key} real") + b";" * 1_000_000 for key in keys}
    assert all(len(value) < MIB for value in alarm.values())
    clock = clocks.start(ini=settings_file({"Status": None, "Alarm": alarm}), local_time=now, timeout=120)
    assert box_texts_in_turn(clock, 5) == [f"10:00 - {key} real" for key in keys]
    no_box_for(clock, 2)
    assert clock.close(timeout=120) == 0
    assert alarm_values(clock.ini_path.read_bytes(), alarm) == alarm
