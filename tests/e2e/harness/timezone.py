"""The program's local time, set through TZ."""

from __future__ import annotations

import calendar
import datetime as _dt
import math
import time

from .base import HarnessError


def tz_for(local_time, now_utc: float | None = None) -> str:
    """POSIX TZ that makes Wine's local time read `local_time` now.

    `local_time` is "HH:MM[:SS]" (today's UTC date) or a datetime (naive, taken
    as the wanted local date and time). The offset must stay within a day.
    POSIX counts the offset west of Greenwich, so its sign is inverted.
    """
    now = time.time() if now_utc is None else now_utc
    if isinstance(local_time, _dt.datetime):
        target = calendar.timegm(local_time.replace(tzinfo=None).timetuple())
    else:
        parts = [int(p) for p in str(local_time).split(":")]
        while len(parts) < 3:
            parts.append(0)
        h, m, s = parts
        day = _dt.datetime.fromtimestamp(now, _dt.timezone.utc).date()
        target = calendar.timegm(day.timetuple()) + h * 3600 + m * 60 + s
    # Rounded up, so that the program's clock reads at least `local_time`
    # when it starts, never the second before it.
    offset = math.ceil(target - now)
    if abs(offset) > 24 * 3600 - 1:
        raise HarnessError(f"local time {local_time} is more than a day away from UTC now")
    sign = "-" if offset >= 0 else "+"
    a = abs(offset)
    return f"TKO{sign}{a // 3600:02d}:{a % 3600 // 60:02d}:{a % 60:02d}"


def today() -> _dt.date:
    """The date a program started at a local time of day sees: tz_for keeps
    today's UTC date."""
    return _dt.datetime.now(_dt.timezone.utc).date()


def local(hour: int, minute: int, second: int) -> _dt.datetime:
    """A local time today, the date being the one the program will see."""
    return _dt.datetime.combine(today(), _dt.time(hour, minute, second))


# Tests that wait for a minute boundary start this far into the minute before
# it: Wine may take many seconds to start a program on a busy machine, and what
# they check (a box opening at the boundary) needs the program up before it.
START_SECOND = 15
START_TIMEOUT = 40
BOUNDARY_TIMEOUT = 60 - START_SECOND + 30


def before_the_minute(clock) -> bool:
    """The program's clock, started at START_SECOND, has not yet reached the next minute."""
    return clock.seconds_running() + 1 < 60 - START_SECOND
