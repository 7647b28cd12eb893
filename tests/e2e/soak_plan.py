"""The long soak's plan (a reminder in every minute of the run, turn by turn
in each kind of group) and how it tells lasting growth from a block caught in
flight: rules of its own, checked by test_soak_rules.py."""

from __future__ import annotations

import datetime

from harness.settings_file import entry, group_keys, settings_file

START = datetime.time(10, 0, 30)
HOLDS = (70, 0, 5, 20)  # seconds a reminder box is left open, in turn
GROUPS = ("date", "weekday", "monthly", "yearly", "every day")


def plan(day: datetime.date, minutes: int) -> tuple[dict[str, bytes], list[str]]:
    """Groups with one reminder for each minute after the start, turn by turn
    in each kind of group, and the box texts expected in order."""
    keys = group_keys(day)
    groups: dict[str, bytes] = {keys[g]: b"" for g in GROUPS}
    expected = []
    start = datetime.datetime.combine(day, START)
    for i in range(1, minutes + 1):
        at = (start + datetime.timedelta(minutes=i)).replace(second=0)
        kind = GROUPS[i % len(GROUPS)]
        text = f"Soak {i:03d} {kind}"
        groups[keys[kind]] += entry(at.hour, at.minute, text)
        expected.append(f"{at.hour:02d}:{at.minute:02d} - {text}")
    return groups, expected


def soak_settings(groups: dict[str, bytes]) -> bytes:
    """The soak's settings file: the indicator as it starts, the planned groups."""
    return settings_file({"Status": {"Language": "Rus", "Status": 6, "dStatus": 3, "Key": 1},
                          "Position": {"X": 300, "Y": 200}, "Alarm": groups})


def lasting_growth(values: list[int]) -> int:
    """Growth over the first value that lasts: seen in two samples in a row,
    or in the last one. Samples are taken while the clock runs, so one can
    catch a block allocated for a moment (a box's text, a tooltip) that is
    freed by the next; growth that stays shows in every later sample."""
    lasting = [min(a, b) for a, b in zip(values[1:], values[2:])] + values[-1:]
    return max(lasting) - values[0]
