"""Benchmarks of the clock against a reference clock run beside it under the
same Wine: idle CPU, start-up to the first painted indicator, and memory and
handle growth over many refreshes and dialog openings.

Usage: bench_clock.py idle [seconds]       (default 300 each)
       bench_clock.py startup [runs]       (default 5, the median is reported)
       bench_clock.py growth [refreshes] [openings]   (default 100000 and 1000)
       bench_clock.py bigfile [runs]       (default 5: a settings file of 1 MiB against the default one)
       bench_clock.py bigmemory            (peak private bytes with a settings file of 320 MiB)
       bench_clock.py closesave RUNS DIST  (a close writing 3 keys of a 1 MiB file, against the programs in DIST)

The reference clock (tests/e2e/reference/refclock.cpp) is the least a Windows
clock can do: one tool window, a 1000 ms timer, one TextOut a tick. Each figure
is printed as one line, with the ratio to the reference where there is one.
"""

from __future__ import annotations

import datetime as _dt
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness as H  # noqa: E402
from harness import IDCANCEL, WM_COMMAND, WM_TIMER  # noqa: E402
from harness.big_settings import big_settings  # noqa: E402
from harness.settings_file import settings_file  # noqa: E402
from model import clock_settings as C  # noqa: E402
from model import menu as M  # noqa: E402

INI = settings_file({"Status": {"Status": 6, "Language": "Eng", "Key": 1}, "Position": {"X": 300, "Y": 200}})
TICK = os.sysconf("SC_CLK_TCK")
# The calendar's and the reminder list's buttons that open the dialogs in them
# (src/calendar/calendar_ids.h, src/scheduler/reminder_list_ids.h).
IDC_CAL_EVERY_DAY, IDC_LIST_ADD = 1300, 1069
IDC_CAL_MONTH_FORWARD = 1054


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


class Reference:
    """The reference clock, started in a session."""

    def __init__(self, session: H.WineSession):
        exe = H.E2E_BIN / "tikkano_refclock.exe"
        self.started = time.monotonic()
        self.popen = subprocess.Popen(["wine", str(exe)], cwd=session.new_workdir(), env=session.env,
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        # Polled as the clock's start is (harness Clock.start): the window, then its first paint.
        self.hwnd = H._wait_until(lambda: session.driver.find("TikkanoReference"), 30, what="the reference window")
        H._wait_until(lambda: session.driver.text(self.hwnd) == "Reference shown", 30, what="its first paint")
        self.shown = time.monotonic()
        self.linux_pid = H.wait_for(lambda: session_pid(str(exe), session.prefix), 10, "the reference process")

    def stop(self):
        self.popen.kill()
        self.popen.wait()


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


def with_session(work):
    x = H.Xserver()
    session = None
    try:
        session = H.WineSession(x)
        return work(session)
    finally:
        if session:
            session.stop()
        x.stop()


def idle(seconds: int):
    def measure(start_program, name):
        def work(session):
            program, linux_pid = start_program(session)
            try:
                time.sleep(5)  # start-up over
                server = session_pid("wineserver", session.prefix)
                own0, server0 = cpu_seconds(linux_pid), cpu_seconds(server)
                time.sleep(seconds)
                own, srv = cpu_seconds(linux_pid) - own0, cpu_seconds(server) - server0
                print(f"idle CPU over {seconds} s, {name}: own {own:.2f} s, wineserver {srv:.2f} s, "
                      f"total {own + srv:.2f} s ({(own + srv) / seconds * 100:.3f} % of a core)")
                return own + srv
            finally:
                program.stop() if isinstance(program, Reference) else program.kill()
        return with_session(work)

    def reference(session):
        r = Reference(session)
        return r, r.linux_pid

    def clock(session):
        c = H.Clock.start(session, ini=INI)
        return c, session_pid(str(H.program("271")), session.prefix)

    base = measure(reference, "reference")
    ours = measure(clock, "tikkano")
    print(f"idle CPU ratio (tikkano / reference): {ours / max(base, 1e-9):.2f} (goal <= 1.5)")


def startup(runs: int):
    def work(session):
        ours, base = [], []
        for _ in range(runs):
            r = Reference(session)
            base.append(r.shown - r.started)
            r.stop()
            began = time.monotonic()
            clock = H.Clock.start(session, ini=INI)  # returns after the first refresh
            ours.append(time.monotonic() - began)
            clock.kill()
        m_ours, m_base = statistics.median(ours), statistics.median(base)
        print(f"start-up to the first painted window, median of {runs}: tikkano {m_ours * 1000:.0f} ms, "
              f"reference {m_base * 1000:.0f} ms, ratio {m_ours / m_base:.2f} (goal <= 1.2)")
    with_session(work)


def growth(refreshes: int, openings: int):
    def work(session):
        driver = session.driver
        clock = H.Clock.start(session, ini=INI)

        spy_file = session.new_workdir() / "spy.txt"
        linux_pid = session_pid(str(H.program("271")), session.prefix)

        def figures():
            """PagefileUsage, handles, GDI objects, and the two parts of
            PagefileUsage: Wine's Unix malloc arena and the rest."""
            # The memory first, together: the spy's call below runs a thread in
            # the clock, whose stack stays mapped for a while after it ends.
            pagefile, parts = driver.procmem(clock.pid)[0], anonymous_memory(linux_pid)
            return pagefile, driver.handles(clock.pid), driver.gdi_objects(clock.pid, spy_file, reads=3), *parts

        def heap():
            return driver.heap_use(clock.pid, spy_file)[0]

        def report(what, before, after, heap_before):
            pagefile, handles, gdi, arena, rest = (a - b for a, b in zip(after, before))
            print(f"{what}: PagefileUsage {pagefile:+d} bytes (Unix malloc arena {arena:+d}, the rest {rest:+d}), "
                  f"handles {handles:+d}, GDI objects {gdi:+d}, in use in the Windows heaps {heap() - heap_before:+d} "
                  "bytes", flush=True)

        def drained():
            """Waits until the clock has worked off the posted refreshes: a sent
            message would overtake them, so its CPU time has to go quiet."""
            while True:
                used = cpu_seconds(linux_pid)
                time.sleep(0.5)
                if cpu_seconds(linux_pid) - used < 0.02:
                    return

        # The first walks load the spy DLL into the clock and bring the pages
        # of the GDI handle table into memory (PagefileUsage counts them).
        heap()
        driver.gdi_objects(clock.pid, spy_file)
        driver.fill_dc_cache(clock.pid, spy_file)
        driver.post_many(clock.hwnd, WM_TIMER, 1, 0, 1000)
        drained()
        before, heap_before = figures(), heap()
        done = 0
        while done < refreshes:
            batch = min(10000, refreshes - done)
            driver.post_many(clock.hwnd, WM_TIMER, 1, 0, batch)
            drained()
            done += batch
        report(f"growth over {refreshes} refreshes", before, figures(), heap_before)

        def wait(predicate, what):
            return H._wait_until(predicate, 10, interval=0.01, what=what)

        def open_dialog(parent, command):
            """A dialog opened by a menu command of the clock (parent None) or a button of a dialog."""
            owner = parent or clock.hwnd
            before = set(driver.owned(owner))
            if parent is None:
                clock.post(WM_COMMAND, command)
            else:
                driver.post(parent, WM_COMMAND, command, driver.dlgitem(parent, command))
            return wait(lambda: next((h for h in driver.owned(owner) if h not in before and driver.visible(h)), None),
                        "the dialog")

        def close_dialog(dialog):
            driver.post(dialog, WM_COMMAND, IDCANCEL, 0)
            wait(lambda: not driver.exists(dialog), "the dialog to close")

        def cycle(parent, command):
            close_dialog(open_dialog(parent, command))

        def warm(step, per_round=50):
            """Steps until the figures stay still (Wine's cache of device
            contexts was filled at the start); returns how many it took."""
            return per_round * repeat_until_still(step, figures, per_round, rounds=30)

        # Each dialog the way a user reaches it; the ones inside another stay
        # inside one opening of it for all their cycles.
        chains = (("calendar", [M.CALENDAR]), ("reminder list", [M.CALENDAR, IDC_CAL_EVERY_DAY]),
                  ("reminder", [M.CALENDAR, IDC_CAL_EVERY_DAY, IDC_LIST_ADD]), ("clock settings", [M.CLOCK]),
                  ("date format", [M.CLOCK, C.DATE_FORMAT]), ("about", [M.ABOUT]))
        for name, chain in chains:
            parents = []
            for command in chain[:-1]:
                parents.append(open_dialog(parents[-1] if parents else None, command))
            parent = parents[-1] if parents else None
            warm_up = warm(lambda: cycle(parent, chain[-1]))
            before, heap_before = figures(), heap()
            for _ in range(openings):
                cycle(parent, chain[-1])
            after = figures()
            report(f"growth over {openings} openings of the {name} dialog (after {warm_up} to warm up)", before, after,
                   heap_before)
            for dialog in reversed(parents):
                close_dialog(dialog)
        clock.kill()
    with_session(work)


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


def stamped_workdir(session, ini, seconds: float | None) -> Path:
    """A working folder holding the settings file, its time stamp moved by
    `seconds` (None: as just written)."""
    workdir = session.new_workdir()
    path = workdir / H.INI_NAME
    path.write_bytes(H.ini_bytes(ini))
    if seconds is not None:
        stamp = time.time() + seconds
        os.utime(path, (stamp, stamp))
    return workdir


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
    local_time = "08:00:00"
    today = _dt.datetime.now(_dt.timezone.utc).date()
    files = {"default file": INI, "1 MiB file": big_settings(today)}
    stamps = {"just written": None, "stamped an hour back": -3600}
    kinds = ("start-up", "calendar opening", "month step", "close")

    def work(session):
        driver = session.driver
        figures = {(name, stamp): {kind: [] for kind in kinds} for name in files for stamp in stamps}

        def wait(predicate, what):
            return H._wait_until(predicate, 30, interval=0.005, what=what)

        def one_run(name, stamp):
            workdir = stamped_workdir(session, files[name], stamps[stamp])
            figure = figures[(name, stamp)]
            began = time.monotonic()
            clock = H.Clock.start(session, cwd=workdir, local_time=local_time, poll=0.005)
            figure["start-up"].append(time.monotonic() - began)

            before = set(driver.owned(clock.hwnd))
            began = time.monotonic()
            clock.command(M.CALENDAR)
            calendar = wait(lambda: next((h for h in driver.owned(clock.hwnd) if h not in before and driver.visible(h)),
                                         None), "the calendar")
            title = wait(lambda: driver.text(calendar) not in ("", "Dialog") and driver.text(calendar), "its title")
            figure["calendar opening"].append(time.monotonic() - began)

            began = time.monotonic()
            driver.post(calendar, WM_COMMAND, IDC_CAL_MONTH_FORWARD, driver.dlgitem(calendar, IDC_CAL_MONTH_FORWARD))
            wait(lambda: driver.text(calendar) != title, "the next month")
            figure["month step"].append(time.monotonic() - began)
            driver.post(calendar, WM_COMMAND, IDCANCEL, 0)
            wait(lambda: not driver.exists(calendar), "the calendar to close")

            began = time.monotonic()
            assert clock.close(timeout=60) == 0
            figure["close"].append(time.monotonic() - began)

        for _ in range(runs):
            for name in files:
                for stamp in stamps:
                    one_run(name, stamp)

        # Every call reads the file under the slow start of strace only when its
        # stamp lies ahead: that counts the reads a file just written costs.
        reads = {}
        for name, ini in files.items():
            workdir = stamped_workdir(session, ini, 3600)
            trace = workdir / "strace.txt"
            size = len(H.ini_bytes(ini))
            clock = H.Clock.start(session, cwd=workdir, local_time=local_time, timeout=60,
                                  launcher=["strace", "-f", "-qq", "-y", "-e", "trace=read,pread64", "-e",
                                            "signal=none", "-o", str(trace)])
            time.sleep(0.5)
            at_start = file_reads(trace, workdir / H.INI_NAME, size)
            assert clock.close(timeout=120) == 0
            reads[name] = (size, at_start, file_reads(trace, workdir / H.INI_NAME, size))

        for stamp in stamps:
            for kind in kinds:
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
    old = big_settings(_dt.datetime.now(_dt.timezone.utc).date())

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
    from test_reminders import MIB, ini, keys_of, local, oversized_group  # noqa: E402

    now = local(10, 30, 5)
    keys = [*keys_of(now.date()).values(), "Day"]
    big = ini({key: oversized_group(key, 64 * MIB) for key in keys})
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


def main(argv):
    what = argv[1] if len(argv) > 1 else "idle"
    args = [int(a) for a in argv[2:] if a.isdigit()]
    if what == "idle":
        idle(*(args or [300]))
    elif what == "startup":
        startup(*(args or [5]))
    elif what == "bigfile":
        bigfile(*(args or [5]))
    elif what == "closesave":
        closesave(int(argv[2]) if len(argv) > 2 else 9, argv[3])
    elif what == "bigmemory":
        bigmemory()
    elif what == "growth":
        growth(*(args + [100000, 1000][len(args):]))
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
