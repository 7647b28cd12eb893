"""The growth benchmark (bench_clock.py growth): memory, handles and GDI
objects of the clock over many refreshes and over many openings of each
dialog, the way a user reaches it."""

from __future__ import annotations

import time

import harness as H
from bench_base import INI, with_session
from harness import IDCANCEL, WM_COMMAND, WM_TIMER
from harness.memory import anonymous_memory, cpu_seconds, repeat_until_still, session_pid
from model import calendar as CAL
from model import clock_settings as C
from model import menu as M
from model import reminder_list as LIST

# Each dialog the way a user reaches it; the ones inside another stay inside
# one opening of it for all their cycles.
CHAINS = (("calendar", [M.CALENDAR]), ("reminder list", [M.CALENDAR, CAL.EVERY_DAY]),
          ("reminder", [M.CALENDAR, CAL.EVERY_DAY, LIST.ADD]), ("clock settings", [M.CLOCK]),
          ("date format", [M.CLOCK, C.DATE_FORMAT]), ("about", [M.ABOUT]))


class Growth:
    """One running clock, its figures and the work they are taken over."""

    def __init__(self, session: H.WineSession):
        self.driver = session.driver
        self.clock = H.Clock.start(session, ini=INI)
        self.spy_file = session.new_workdir() / "spy.txt"
        self.linux_pid = session_pid(str(H.program("271")), session.prefix)

    def figures(self):
        """PagefileUsage, handles, GDI objects, and the two parts of
        PagefileUsage: Wine's Unix malloc arena and the rest."""
        # The memory first, together: the spy's call below runs a thread in
        # the clock, whose stack stays mapped for a while after it ends.
        driver, pid = self.driver, self.clock.pid
        pagefile, parts = driver.procmem(pid)[0], anonymous_memory(self.linux_pid)
        return pagefile, driver.handles(pid), driver.gdi_objects(pid, self.spy_file, reads=3), *parts

    def heap(self):
        return self.driver.heap_use(self.clock.pid, self.spy_file)[0]

    def report(self, what, before, after, heap_before):
        pagefile, handles, gdi, arena, rest = (a - b for a, b in zip(after, before))
        print(f"{what}: PagefileUsage {pagefile:+d} bytes (Unix malloc arena {arena:+d}, the rest {rest:+d}), "
              f"handles {handles:+d}, GDI objects {gdi:+d}, in use in the Windows heaps {self.heap() - heap_before:+d} "
              "bytes", flush=True)

    def drained(self):
        """Waits until the clock has worked off the posted refreshes: a sent
        message would overtake them, so its CPU time has to go quiet."""
        while True:
            used = cpu_seconds(self.linux_pid)
            time.sleep(0.5)
            if cpu_seconds(self.linux_pid) - used < 0.02:
                return

    def settle(self):
        """The first walks load the spy DLL into the clock and bring the pages
        of the GDI handle table into memory (PagefileUsage counts them)."""
        self.heap()
        self.driver.gdi_objects(self.clock.pid, self.spy_file)
        self.driver.fill_dc_cache(self.clock.pid, self.spy_file)
        self.driver.post_many(self.clock.hwnd, WM_TIMER, 1, 0, 1000)
        self.drained()

    def over_refreshes(self, refreshes: int):
        before, heap_before = self.figures(), self.heap()
        done = 0
        while done < refreshes:
            batch = min(10000, refreshes - done)
            self.driver.post_many(self.clock.hwnd, WM_TIMER, 1, 0, batch)
            self.drained()
            done += batch
        self.report(f"growth over {refreshes} refreshes", before, self.figures(), heap_before)

    def wait(self, predicate, what):
        return H._wait_until(predicate, 10, interval=0.01, what=what)

    def open_dialog(self, parent, command):
        """A dialog opened by a menu command of the clock (parent None) or a button of a dialog."""
        driver = self.driver
        owner = parent or self.clock.hwnd
        before = set(driver.owned(owner))
        if parent is None:
            self.clock.post(WM_COMMAND, command)
        else:
            driver.post(parent, WM_COMMAND, command, driver.dlgitem(parent, command))
        return self.wait(lambda: next((h for h in driver.owned(owner) if h not in before and driver.visible(h)),
                                      None), "the dialog")

    def close_dialog(self, dialog):
        self.driver.post(dialog, WM_COMMAND, IDCANCEL, 0)
        self.wait(lambda: not self.driver.exists(dialog), "the dialog to close")

    def cycle(self, parent, command):
        self.close_dialog(self.open_dialog(parent, command))

    def over_openings(self, name: str, chain, openings: int):
        parents = []
        for command in chain[:-1]:
            parents.append(self.open_dialog(parents[-1] if parents else None, command))
        parent = parents[-1] if parents else None
        # Steps until the figures stay still (Wine's cache of device contexts
        # was filled at the start).
        per_round = 50
        warm_up = per_round * repeat_until_still(lambda: self.cycle(parent, chain[-1]), self.figures, per_round,
                                                 rounds=30)
        before, heap_before = self.figures(), self.heap()
        for _ in range(openings):
            self.cycle(parent, chain[-1])
        self.report(f"growth over {openings} openings of the {name} dialog (after {warm_up} to warm up)", before,
                    self.figures(), heap_before)
        for dialog in reversed(parents):
            self.close_dialog(dialog)


def growth(refreshes: int, openings: int):
    def work(session):
        measured = Growth(session)
        measured.settle()
        measured.over_refreshes(refreshes)
        for name, chain in CHAINS:
            measured.over_openings(name, chain, openings)
        measured.clock.kill()
    with_session(work)
