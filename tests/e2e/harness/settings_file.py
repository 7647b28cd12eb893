"""The settings file: reading what the program wrote, writing one for a start
(the one builder), and the golden defaults."""

from __future__ import annotations

import datetime as _dt
import re

from .base import REPO
from .timezone import today


class Ini:
    """A parsed settings file: sections and keys in file order."""

    def __init__(self, raw: bytes):
        self.raw = raw
        if raw.startswith(b"\xff\xfe"):
            text = raw[2:].decode("utf-16-le")
        elif raw.startswith(b"\xef\xbb\xbf"):
            text = raw[3:].decode("utf-8")
        else:
            text = raw.decode("cp1251")
        self.text = text
        self.sections: dict[str, dict[str, str]] = {}
        self.section_order: list[str] = []
        current = None
        for line in text.splitlines():
            stripped = line.strip()
            if not stripped or stripped.startswith(";"):
                continue
            if stripped.startswith("[") and "]" in stripped:
                name = stripped[1:stripped.index("]")]
                self.section_order.append(name)
                current = self.sections.setdefault(name, {})
            elif current is not None:
                key, sep, value = line.partition("=")
                if sep:
                    current[key.strip()] = value.strip()

    def __getitem__(self, section):
        return self.sections[section]

    def __contains__(self, section):
        return section in self.sections

    def get(self, section, key, default=None):
        return self.sections.get(section, {}).get(key, default)

    def keys(self, section):
        return list(self.sections.get(section, {}))

    def __repr__(self):
        return f"Ini({self.sections!r})"


# The settings file that a fresh start of the clock program writes at its close
# with the indicator at 150, 0 and LastTime 202612070905 (the unit tests read it too).
GOLDEN_DEFAULTS = REPO / "tests" / "golden" / "default_settings.ini"


def default_settings(last_time: str | None) -> bytes:
    """The golden file with `last_time` for its LastTime, or without the key
    (the earlier edition writes none)."""
    raw = GOLDEN_DEFAULTS.read_bytes()
    line = re.search(rb"LastTime=\d{12}\r\n", raw)
    assert line, "the golden file has no LastTime"
    stamp = b"" if last_time is None else b"LastTime=" + last_time.encode() + b"\r\n"
    return raw[:line.start()] + stamp + raw[line.end():]


def ini_bytes(ini) -> bytes:
    """Settings-file content as the program reads it: cp1251 with CRLF."""
    if isinstance(ini, bytes):
        return ini
    text = "\r\n".join(str(ini).replace("\r\n", "\n").split("\n"))
    return text.encode("cp1251")


# --------------------------------------------------------------------------
# Writing a settings file for a start

RUN = b"\x83"  # the byte the program puts between an entry's text and its program
# A comma and a semicolon in an entry's text or run field, as the program stores
# them (the bare ones end the field and the entry).
COMMA, SEMICOLON = b"\x82", b"\x84"


def _bytes(value) -> bytes:
    return value if isinstance(value, bytes) else str(value).encode("cp1251")


def settings_file(sections: dict[str, dict | None], newline: bytes = b"\r\n") -> bytes:
    """A settings file, sections and keys in the order given: {"Status":
    {"Language": "Eng"}, "Alarm": {"Day": entry(9, 0, "x")}}. Values are text
    (written in cp1251), bytes as they are, or numbers; None for a section
    writes only its heading, None for a key the key alone (a line without "=")."""
    lines = []
    for name, keys in sections.items():
        lines.append(b"[" + _bytes(name) + b"]")
        lines += [_bytes(key) + (b"" if value is None else b"=" + _bytes(value)) for key, value in (keys or {}).items()]
    return newline.join(lines) + newline


def entry(hour: int, minute: int, text="", run=RUN, sound=b"") -> bytes:
    """One entry of a group as the program writes it: "%2d:%2d,text,run,sound;"."""
    return b"%2d:%2d,%s,%s,%s;" % (hour, minute, _bytes(text), _bytes(run), _bytes(sound))


def stamp(moment: _dt.datetime) -> str:
    """A moment as LastTime holds it: yyyymmddhhmm."""
    return moment.strftime("%Y%m%d%H%M")


def utc_day_stamps(hhmm: str, before: _dt.date) -> set[str]:
    """LastTime of a program started by local time of day on `before`, the UTC
    day taken before the start: the date is that day's, or the next one's when
    the run crossed midnight."""
    return {day.strftime("%Y%m%d") + hhmm for day in (before, today())}


def group_keys(day: _dt.date) -> dict[str, str]:
    """The keys of the groups that apply to a date, by kind of group."""
    weekday = (day.weekday() + 1) % 7  # 0 = Sunday, as Windows counts
    return {
        "date": f"{day.day:02d}{day.month:02d}{day.year:04d}",
        "weekday": f"{weekday:02d}",
        "monthly": f"M{day.day:02d}",
        "yearly": f"Y{day.day:02d}{day.month:02d}",
        "every day": "Day",
    }
