"""Big settings files. One of about 1 MiB such as a heavy user of reminders
has: the main sections, 1,000 reminders of one day spread over the five kinds
of group that apply to it, and a year of dated groups after it. And groups
edited by hand far past the program's bound of 1 MiB a group. Used by the
tests and the benchmarks of reading and writing such files."""

from __future__ import annotations

import datetime

from .settings_file import entry, group_keys

MIB = 1 << 20
MAIN = {
    "Status": b"Status=6\r\ndStatus=3\r\nKey=1\r\nTopmost=1\r\nShortDt=0\r\nShDtFormat=ddd dd-MMM-yyyy\r\n"
              b"LgDtFormat=dddd dd MMMM yyyy\r\nTimeFormat=HH:mm:ss tt\r\ndefSec=0\r\nLanguage=Eng\r\nSysDtFmt=0\r\n"
              b"LastTime=000000000000\r\n",
    "Position": b"TrayStatus=0\r\nX=300\r\nY=200\r\n",
    "Colors": b"Colors=000000,00ff00,00ffff,ffff00,b4b4b4\r\n",
    "Font": b"Name=System\r\nSize=-13\r\nItalic=0\r\nWeight=0\r\nCharSet=0\r\n",
}


def big_settings(day: datetime.date, extra: dict[str, bytes] | None = None, size: int = MIB) -> bytes:
    """The file for a program whose local date is `day`: 200 reminders in each
    group of that day, all at 23:00 to 23:59 (due later that day), `extra`
    entries put in front of those groups' own, then dated groups for the
    following days, none due on `day`, until the file holds `size` bytes."""
    alarm = [b"WavePath="]
    for i, key in enumerate(group_keys(day).values()):
        group = (extra or {}).get(key, b"")
        group += b"".join(entry(23, (i * 200 + n) % 60, b"today %s %03d" % (key.encode(), n)) for n in range(200))
        alarm.append(key.encode() + b"=" + group)
    filler = entry(9, 0, b"x" * 30)
    head = b"".join(b"[%s]\r\n%s" % (name.encode(), MAIN[name]) for name in ("Status", "Position")) + b"[Alarm]\r\n"
    tail = b"".join(b"[%s]\r\n%s" % (name.encode(), MAIN[name]) for name in ("Colors", "Font"))
    length = len(head) + len(tail) + sum(len(line) + 2 for line in alarm)
    later = day
    while length < size:
        later += datetime.timedelta(days=1)
        line = f"{later.day:02d}{later.month:02d}{later.year:04d}=".encode() + filler * 75
        alarm.append(line)
        length += len(line) + 2
    return head + b"\r\n".join(alarm) + b"\r\n" + tail


def oversized_group(key: str, size: int) -> bytes:
    """A hand-edited group of `size` bytes: a reminder due before now, filler due
    at 23:59, an entry due before now that the program's 1 MiB bound cuts in
    two, and more entries due before now past the bound (the program's local
    time being 10:30)."""
    head = entry(10, 0, f"{key} before the bound")
    filler = entry(23, 59, "x" * 80)
    body = head + filler * ((MIB - len(head) - 20) // len(filler))
    body += entry(10, 1, f"{key} cut by the bound " + "c" * 40)
    assert len(body) > MIB > len(body) - 60
    past = entry(10, 2, f"{key} past the bound")
    return body + past * ((size - len(body)) // len(past))


def alarm_values(raw: bytes, keys) -> dict[str, bytes]:
    """The values of `keys` in a settings file's bytes, as they stand there
    (a file too big for the profile functions is read line by line)."""
    values = {}
    for line in raw.split(b"\r\n"):
        key, sep, value = line.partition(b"=")
        if sep and key.decode("latin-1") in keys:
            values[key.decode("latin-1")] = value
    return values
