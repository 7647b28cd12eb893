"""The long soak's own rules: its plan of reminders and how it tells growth
from a block caught in flight."""

import datetime

from harness.memory import repeat_until_still
from harness.settings_file import group_keys
from soak_plan import GROUPS, lasting_growth, plan


def test_growth_counts_only_when_it_lasts():
    assert lasting_growth([100, 100, 100, 100]) == 0
    # One sample caught a block allocated for a moment.
    assert lasting_growth([100, 100, 131, 100, 100]) == 0
    assert lasting_growth([100, 131, 100]) == 0
    # Seen twice in a row, or at the end, it stays.
    assert lasting_growth([100, 100, 131, 131, 100]) == 31
    assert lasting_growth([100, 100, 100, 131]) == 31
    assert lasting_growth([100, 104, 108, 112, 116]) == 16
    assert lasting_growth([100, 90, 95]) == -5
    assert lasting_growth([100, 131]) == 31


def test_plan_has_one_reminder_a_minute_in_every_kind_of_group():
    day = datetime.date(2026, 12, 8)  # a Tuesday
    groups, expected = plan(day, 62)
    keys = group_keys(day)
    assert keys == {"date": "08122026", "weekday": "02", "monthly": "M08", "yearly": "Y0812",
                    "every day": "Day"}
    assert len(expected) == 62 and len(set(expected)) == 62
    assert expected[0] == "10:01 - Soak 001 weekday" and expected[-1] == "11:02 - Soak 062 monthly"
    minutes = [e[:5] for e in expected]
    assert minutes == sorted(minutes)
    for kind in GROUPS:
        entries = groups[keys[kind]].split(b";")[:-1]
        assert len(entries) in (12, 13)
        assert all(e.endswith(kind.encode() + b",\x83,") for e in entries)


def test_warm_up_ends_after_two_still_rounds_and_when_allowed():
    def run(levels, also=lambda: True, rounds=10):
        readings, steps = iter(levels), []
        done = repeat_until_still(lambda: steps.append(1), lambda: next(readings), per_round=3, rounds=rounds,
                                  also=also)
        return done, len(steps)

    # Each round reads the figures before and after it: one still round
    # after a moving one is not enough.
    assert run([5, 6, 6, 6, 6, 6]) == (3, 9)
    assert run([5, 6, 6, 7, 7, 7, 7, 7]) == (4, 12)
    # Held on by `also` (no reminder box yet) past the second still round.
    boxes = iter([False, True])
    assert run([1] * 20, also=lambda: next(boxes)) == (3, 9)
    # Never still: stops at the last round allowed.
    assert run(range(0, 100, 1), rounds=4) == (4, 12)
