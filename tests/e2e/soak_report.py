"""What the long soak reports at its end, one line per figure, each judged:
the reminders (none lost, none doubled, in order), the figures sampled after
the warm-up, the exit code and the settings file read back."""

from __future__ import annotations

import datetime
from dataclasses import dataclass

import harness as H
from soak_plan import START, lasting_growth


@dataclass
class Sample:
    seconds: float
    pagefile: int      # PagefileUsage, as Windows reports it
    handles: int
    gdi_objects: int
    heap_in_use: int   # bytes in use in the Windows heaps
    unix_arena: int    # resident bytes of Wine's Unix-side malloc arena
    windows_side: int  # resident anonymous bytes apart from that arena
    gdi_kinds: str     # GDI objects by kind, as the spy DLL lists them

    def row(self):
        return (round(self.seconds), self.pagefile, self.handles, self.gdi_objects, self.heap_in_use,
                self.unix_arena, self.windows_side)


class Lines:
    """Prints the report's lines; ok while every one is good."""

    def __init__(self):
        self.ok = True

    def __call__(self, name, value, good):
        self.ok = self.ok and good
        print(f"{name}: {value} {'ok' if good else 'FAILED'}", flush=True)


def report_reminders(line: Lines, soak):
    fired = [text for _, text in sorted(soak.seen.values())]
    line("reminders expected", len(soak.expected), True)
    line("reminder boxes seen", len(fired), len(fired) == len(soak.expected))
    lost = [t for t in soak.expected if t not in fired]
    doubled = sorted({t for t in fired if fired.count(t) > 1})
    line("lost", lost or 0, not lost)
    line("doubled", doubled or 0, not doubled)
    line("in order", fired == soak.expected, fired == soak.expected)
    line("most boxes open at once", soak.most_open, True)
    line("actions", soak.actions, bool(soak.actions))


def report_growth(line: Lines, warm: list[Sample]):
    def growth(name, field, judged=True):
        values = [getattr(s, field) for s in warm]
        most, lasting = max(values[1:]) - values[0], lasting_growth(values)
        line(f"{name} after warm-up",
             f"{values[0]} -> {values[-1]} (lasting growth {lasting}, most growth {most})",
             not judged or (lasting <= 0 and values[0] > 0))

    growth("handles", "handles")
    growth("GDI objects", "gdi_objects")
    if warm[0].gdi_kinds != warm[-1].gdi_kinds:
        line("GDI objects by kind (type:count)", f"{warm[0].gdi_kinds} -> {warm[-1].gdi_kinds}", True)
    growth("Windows heaps in use, bytes", "heap_in_use")
    # Wine reports as PagefileUsage the process's resident anonymous
    # pages: besides what is allocated, it grows by each page touched
    # for the first time (a stack going one frame deeper, a heap
    # block handed out from a fresh page while another is free).
    # What is allocated is judged above, the pages are shown, split
    # into the C-library arena of Wine's Unix side (win32u, the X11
    # driver, FreeType) and the rest (the Windows heaps, stacks).
    growth("Windows side of the resident memory, bytes", "windows_side", judged=False)
    growth("Unix malloc arena, bytes", "unix_arena", judged=False)
    growth("PagefileUsage, bytes", "pagefile", judged=False)


def report_file(line: Lines, soak):
    written, read = H.Ini(soak.written), soak.clock.ini()
    changed = {(section, key): (value, read.get(section, key))
               for section in written.sections for key, value in written[section].items()
               if read.get(section, key) != value}
    last = datetime.datetime.combine(soak.day, START) + datetime.timedelta(minutes=soak.minutes)
    last_time = read.get("Status", "LastTime")
    line("settings read back as written", changed or "all keys", not changed)
    line("LastTime", last_time, last_time is not None and last_time >= last.strftime("%Y%m%d%H%M"))


def report(soak, exit_code: int) -> bool:
    """Prints every figure of a finished soak; True when all hold."""
    line = Lines()
    report_reminders(line, soak)
    line("samples (s, PagefileUsage, handles, GDI objects, Windows heaps in use, Unix malloc arena, "
         "Windows side)", [s.row() for s in soak.samples], True)
    warm = [s for s in soak.samples if soak.warm_at is not None and s.seconds >= soak.warm_at]
    line("warm-up, s", None if soak.warm_at is None else round(soak.warm_at), soak.warm_at is not None)
    if len(warm) >= 2:
        report_growth(line, warm)
    else:
        line("memory samples after warm-up", len(warm), False)
    line("exit code", exit_code, exit_code == 0)
    report_file(line, soak)
    print(f"soak {'passed' if line.ok else 'FAILED'}", flush=True)
    return line.ok
