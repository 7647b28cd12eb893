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
The growth benchmark lives in bench_growth.py, those of big settings files in
bench_settings_file.py; this script runs each of them.
"""

from __future__ import annotations

import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness as H  # noqa: E402
from bench_base import INI, with_session  # noqa: E402
from bench_growth import growth  # noqa: E402
from bench_settings_file import bigfile, bigmemory, closesave  # noqa: E402
from harness.memory import cpu_seconds, session_pid  # noqa: E402


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
