#!/usr/bin/env python3
"""Fails when a dialog template names an identifier that its own dialog's
header does not define, or when one header gives two names the same number.

resources/resource.h gathers every dialog's identifiers for the .rc files, so
a template could use another dialog's name (1030, 1032, 1057 and 1080 stand
in several dialogs) and still build: a button would silently carry the other
dialog's number. Usage: check_dialog_ids.py [repository root]
"""

from __future__ import annotations

import re
import sys
from pathlib import Path

# Each template, the header of its dialog, and where that dialog's strings and pictures are named.
TEMPLATES = {
    "resources/calendar.rc": ["calendar/calendar_ids.h"],
    "resources/reminder_list.rc": ["scheduler/reminder_list_ids.h"],
    "resources/reminder_edit.rc": ["scheduler/reminder_edit_ids.h"],
    "resources/clock_settings.rc": ["dialogs/clock_settings_ids.h"],
    "resources/date_format.rc": ["dialogs/date_format_ids.h"],
    "resources/about.rc": ["dialogs/about_ids.h"],
    "editions/clock271/about_strings.rc": ["dialogs/string_ids.h"],
    "editions/earlier262/earlier_about_strings.rc": ["dialogs/string_ids.h"],
}
DEFINE = re.compile(r"^\s*#\s*define\s+(ID[A-Z]_\w+)\s+(\d+)", re.MULTILINE)
NAME = re.compile(r"\bID[CDSB]_\w+")
COUNTS = {"IDS_ABOUT_LINE_COUNT"}  # a count, not an identifier


def defines(path: Path) -> dict[str, int]:
    return {name: int(value) for name, value in DEFINE.findall(path.read_text(encoding="utf-8"))}


def problems(root: Path) -> list[str]:
    src = root / "src"
    found = []
    for header in sorted({h for headers in TEMPLATES.values() for h in headers}):
        numbers: dict[int, str] = {}
        for name, value in defines(src / header).items():
            if name in COUNTS or name.endswith(("_FIRST", "_LAST", "_SUNDAY", "_SATURDAY")):
                continue  # ranges name numbers of buttons written out in the template
            if value in numbers:
                found.append(f"src/{header}: {name} and {numbers[value]} are both {value}")
            numbers[value] = name
    for template, headers in TEMPLATES.items():
        own = {name for h in headers for name in defines(src / h)}
        text = re.sub(r"//[^\n]*", "", (src / template).read_text(encoding="utf-8"))
        for name in sorted(set(NAME.findall(text)) - own):
            found.append(f"src/{template}: {name} is not one of its dialog's identifiers ({', '.join(headers)})")
    return found


def main() -> int:
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    found = problems(root)
    for line in found:
        print(line)
    print(f"dialog ids: {len(found)} problem(s)" if found else "dialog ids: every template names its own dialog's identifiers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
