"""The benchmarks of big settings files (bench_clock.py bigfile, closesave and
bigmemory): a file of 1 MiB against the default one, a close writing three
keys of it against an earlier build, and the peak memory with a file of 320 MiB."""

from __future__ import annotations

import statistics
import time
from pathlib import Path

import harness as H
from bench_base import INI, stamped_workdir, with_session
from harness import IDCANCEL, WM_COMMAND
from harness.big_settings import MIB, big_settings, oversized_group
from harness.settings_file import group_keys, settings_file
from harness.timezone import local, today
from model import calendar as CAL
from model import menu as M

BIGFILE_TIME = "08:00:00"
BIGFILE_STAMPS = {"just written": None, "stamped an hour back": -3600}
BIGFILE_KINDS = ("start-up", "calendar opening", "month step", "close")


def file_reads(trace: Path, ini: Path, size: int) -> tuple[int, int]:
    """(reads of the whole file of `size` bytes, all reads of it) in an strace -f
    -y log. A read that another thread interrupts comes in two lines, joined by
    its pid."""
    whole, every, waiting = 0, 0, set()
    for line in trace.read_text(errors="replace").splitlines():
        # strace pads the pid to five places.
        pid, _, call = line.partition(" ")
        call = call.lstrip()
        if call.startswith(("read(", "pread64(")) and f"{ini.name}>" in call:
            if call.endswith("<unfinished ...>"):
                waiting.add(pid)
                continue
        elif call.startswith(("<... read resumed>", "<... pread64 resumed>")) and pid in waiting:
            waiting.discard(pid)
        else:
            continue
        every += 1
        result = call.rsplit("=", 1)[-1].strip()
        if result.isdigit() and int(result) == size:
            whole += 1
    return whole, every


def timed_run(session, ini, seconds: float | None) -> dict[str, float]:
    """One start, calendar opening, month step and close of a clock with `ini`
    stamped `seconds` off now: how long each took."""
    driver = session.driver

    def wait(predicate, what):
        return H._wait_until(predicate, 30, interval=0.005, what=what)

    took = {}
    workdir = stamped_workdir(session, ini, seconds)
    began = time.monotonic()
    clock = H.Clock.start(session, cwd=workdir, local_time=BIGFILE_TIME, poll=0.005)
    took["start-up"] = time.monotonic() - began

    before = set(driver.owned(clock.hwnd))
    began = time.monotonic()
    clock.command(M.CALENDAR)
    calendar = wait(lambda: next((h for h in driver.owned(clock.hwnd) if h not in before and driver.visible(h)),
                                 None), "the calendar")
    title = wait(lambda: driver.text(calendar) not in ("", "Dialog") and driver.text(calendar), "its title")
    took["calendar opening"] = time.monotonic() - began

    began = time.monotonic()
    driver.post(calendar, WM_COMMAND, CAL.MONTH_FORWARD, driver.dlgitem(calendar, CAL.MONTH_FORWARD))
    wait(lambda: driver.text(calendar) != title, "the next month")
    took["month step"] = time.monotonic() - began
    driver.post(calendar, WM_COMMAND, IDCANCEL, 0)
    wait(lambda: not driver.exists(calendar), "the calendar to close")

    began = time.monotonic()
    assert clock.close(timeout=60) == 0
    took["close"] = time.monotonic() - began
    return took


def traced_reads(session, ini) -> tuple[int, tuple[int, int], tuple[int, int]]:
    """The file's size and its (whole-file, all) reads at start-up and over
    start-up and close, the file stamped an hour ahead, under strace."""
    # Every call reads the file under the slow start of strace only when its
    # stamp lies ahead: that counts the reads a file just written costs.
    workdir = stamped_workdir(session, ini, 3600)
    trace = workdir / "strace.txt"
    size = len(H.ini_bytes(ini))
    clock = H.Clock.start(session, cwd=workdir, local_time=BIGFILE_TIME, timeout=60,
                          launcher=["strace", "-f", "-qq", "-y", "-e", "trace=read,pread64", "-e",
                                    "signal=none", "-o", str(trace)])
    time.sleep(0.5)
    at_start = file_reads(trace, workdir / H.INI_NAME, size)
    assert clock.close(timeout=120) == 0
    return size, at_start, file_reads(trace, workdir / H.INI_NAME, size)


def bigfile(runs: int):
    """The clock with a settings file of 1 MiB (1,000 reminders of today, all due
    at 23:00 or later, and a year of dated groups) beside the same clock with the
    benchmark's small file: start-up, a calendar opening, a month step and the
    close, and the whole-file reads at start-up and close (strace of the program).

    Wine keeps a parsed settings file between calls only while the file's time
    stamp lies more than about two seconds in the past: a file just written is
    read afresh at every call. Each figure is taken twice: with the file just
    written (as the harness starts every test) and with it stamped an hour back
    (a file last written by an earlier close)."""
    files = {"default file": INI, "1 MiB file": big_settings(today())}

    def work(session):
        figures = {(name, stamp): {kind: [] for kind in BIGFILE_KINDS} for name in files for stamp in BIGFILE_STAMPS}
        for _ in range(runs):
            for name in files:
                for stamp, seconds in BIGFILE_STAMPS.items():
                    for kind, took in timed_run(session, files[name], seconds).items():
                        figures[(name, stamp)][kind].append(took)
        reads = {name: traced_reads(session, ini) for name, ini in files.items()}

        for stamp in BIGFILE_STAMPS:
            for kind in BIGFILE_KINDS:
                small, big = (statistics.median(figures[(name, stamp)][kind]) for name in files)
                print(f"{kind}, settings file {stamp}, median of {runs}: 1 MiB file {big * 1000:.0f} ms, default "
                      f"file {small * 1000:.0f} ms, ratio {big / small:.2f}" + (" (goal <= 1.1)" if kind == "start-up" else ""))
        for name, (size, (start_whole, start_all), (total_whole, total_all)) in reads.items():
            print(f"reads of the {name} ({size} bytes) under strace, stamped an hour ahead (read at every call): "
                  f"whole-file reads at start-up {start_whole} (goal <= 6; reads of it in all {start_all}); "
                  f"start-up and close together {total_whole} whole-file reads ({total_all} in all; the file grows "
                  f"at its first write)")
    with_session(work)


def closesave(runs: int, baseline: str):
    """The close of a clock with the 1 MiB settings file that writes three
    changed keys (X and Y, moved before the close, and LastTime), by this build
    and by the programs in `baseline` (a dist folder of the build before every
    save went through a copy beside the file), the file stamped an hour back."""
    builds = {"this build": H.DIST, "baseline": Path(baseline)}
    old = big_settings(today())

    def work(session):
        times = {name: [] for name in builds}
        for run in range(runs):
            for name, dist in builds.items():
                H.base.DIST = dist
                clock = H.Clock.start(session, cwd=stamped_workdir(session, old, -3600), local_time="08:00:00",
                                      poll=0.005)
                session.driver.move(clock.hwnd, 300 + run, 200 + run)
                began = time.monotonic()
                assert clock.close(timeout=60) == 0
                times[name].append(time.monotonic() - began)
                saved = clock.ini()
                assert (saved["Position"]["X"], saved["Position"]["Y"]) == (str(300 + run), str(200 + run))
        new, base = (statistics.median(times[name]) for name in builds)
        print(f"close writing 3 keys of the 1 MiB settings file, median of {runs}: this build {new * 1000:.0f} ms, "
              f"baseline {base * 1000:.0f} ms, ratio {new / base:.2f} (goal <= 1.0)")
    with_session(work)


def bigmemory():
    """The most private bytes the clock holds while it starts with a settings
    file of 320 MiB (five groups of today of 64 MiB each, read in pieces) and
    with the default file: the big file should cost no more than the values the
    program keeps of it (five groups of today of at most 1 MiB each, their
    entries, and one section of at most 4 MiB while it is read) plus 1 MiB."""
    now = local(10, 30, 5)
    big = settings_file({"Status": None,
                         "Alarm": {key: oversized_group(key, 64 * MIB) for key in group_keys(now.date()).values()}})
    files = {"default file": INI, "320 MiB file": big}

    def work(session):
        peaks = {}
        for name, ini in files.items():
            workdir = stamped_workdir(session, ini, None)
            clock = H.Clock.start(session, cwd=workdir, local_time=now, timeout=600)
            if name != "default file":
                H._wait_until(lambda: len(clock.message_boxes()) >= 1, 300, what="the first reminder")
            else:
                time.sleep(2)
            peaks[name] = session.driver.peak_private(clock.pid)
            clock.kill()
        small, large = peaks["default file"], peaks["320 MiB file"]
        print(f"peak private bytes at start-up: default file {small:,}, 320 MiB file {large:,}, "
              f"difference {large - small:,} (aim: at most the kept values, 5 x 1 MiB of groups, their entries "
              f"and one 4 MiB section, plus 1 MiB)")
    with_session(work)
