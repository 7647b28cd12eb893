"""The long soak's own rules: its plan of reminders and how it tells growth
from a block caught in flight."""

import datetime

from soak import GROUPS, group_keys, lasting_growth, plan


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
                    "every-day": "Day"}
    assert len(expected) == 62 and len(set(expected)) == 62
    assert expected[0] == "10:01 - Soak 001 weekday" and expected[-1] == "11:02 - Soak 062 monthly"
    minutes = [e[:5] for e in expected]
    assert minutes == sorted(minutes)
    for kind in GROUPS:
        entries = groups[keys[kind]].split(b";")[:-1]
        assert len(entries) in (12, 13)
        assert all(e.endswith(kind.encode() + b",\x83,") for e in entries)
