"""The Linux side of a Wine session's processes, for the benchmarks and the
soak: finding a program's process, its CPU time and its anonymous memory, and
repeating work until such figures stay still."""

from __future__ import annotations

import os
from pathlib import Path

TICK = os.sysconf("SC_CLK_TCK")


def linux_pids(fragment: str) -> list[int]:
    pids = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if fragment in (entry / "cmdline").read_bytes().decode("utf-8", "replace"):
                    pids.append(int(entry.name))
            except OSError:
                pass
    return pids


def session_pid(fragment: str, prefix: Path) -> int | None:
    """The process whose command line holds `fragment`, of the session on `prefix`
    (other Wine sessions may run the same programs at the same time)."""
    for pid in linux_pids(fragment):
        try:
            environ = (Path("/proc") / str(pid) / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={prefix}".encode() in environ:
            return pid
    return None


def cpu_seconds(pid: int) -> float:
    fields = (Path("/proc") / str(pid) / "stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def anonymous_memory(pid: int) -> tuple[int, int]:
    """Resident anonymous bytes of a Wine process (what Wine reports as its
    PagefileUsage), split in two: the C library's main malloc arena ("[heap]"),
    where Wine's Unix side (win32u, the X11 driver, FreeType, fontconfig) keeps
    its allocations, and everything else: the Windows heaps, stacks and pages."""
    arena = rest = 0
    in_arena = False
    for line in (Path("/proc") / str(pid) / "smaps").read_text().splitlines():
        if line[:1] in "0123456789abcdef" and "-" in line.split(" ", 1)[0]:
            in_arena = line.rstrip().endswith("[heap]")
        elif line.startswith("Anonymous:"):
            kib = int(line.split()[1])
            if in_arena:
                arena += kib * 1024
            else:
                rest += kib * 1024
    return arena, rest


def repeat_until_still(step, figures, per_round: int, rounds: int, still_rounds: int = 2,
                       also=lambda: True) -> int:
    """Runs `step` in rounds of `per_round` until `still_rounds` rounds in a
    row leave `figures()` where they were (and `also()` holds), at most
    `rounds` rounds; returns how many it ran. The heaps of the program and of
    Wine's libraries grow to a level first, and the DLLs the program loads
    only when needed come in on their first use."""
    still = 0
    for done in range(1, rounds + 1):
        before = figures()
        for _ in range(per_round):
            step()
        still = still + 1 if figures() == before else 0
        if still >= still_rounds and also():
            return done
    return rounds
