"""A long run of the clock under Wine, not part of the test suite.

Usage: soak.py [minutes]   (default 60)

The clock (2.7.1) runs with a reminder in every minute of the run, spread over
the date, weekday, monthly, yearly and every-day groups of the run's local day
(set through TZ). Meanwhile a loop, at random times, opens and confirms the
calendar, a reminder list and the clock settings, sends the program to the
tray and back, and leaves reminder boxes open over each other for a while
before dismissing them. At the end it checks:
  - every reminder fired exactly once and in order (none lost, none doubled);
  - the handles, the GDI objects and the bytes in use in the Windows heaps,
    sampled at quiet moments, did not grow after the warm-up (at least two
    minutes of the actions back to back, until two rounds of them leave those
    figures where they were; growth counts if it lasts, in two samples in
    a row or in the last); the resident memory (PagefileUsage, and its
    two parts) is shown beside them;
  - the settings file reads back as written.
Each figure is printed as one line; the exit code is 0 only if all hold.
"""

from __future__ import annotations

import datetime
import random
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness as H  # noqa: E402
from harness.memory import anonymous_memory, repeat_until_still, session_pid  # noqa: E402
from harness.timezone import today  # noqa: E402
from model import menu as M  # noqa: E402
from model import reminder_box as B  # noqa: E402
from pages.calendar import Calendar, day_button  # noqa: E402
from soak_plan import HOLDS, START, plan, soak_settings  # noqa: E402
from soak_report import Sample, report  # noqa: E402

CAPTION = B.CAPTION.russian  # a reminder box's, the same in both languages


class Soak:
    def __init__(self, session: H.WineSession, minutes: int, seed: int):
        self.session, self.minutes = session, minutes
        self.driver = session.driver
        self.random = random.Random(seed)
        self.day = today()
        self.groups, self.expected = plan(self.day, minutes)
        self.written = soak_settings(self.groups)
        self.seen: dict[int, tuple[float, str]] = {}   # box -> (first seen, text)
        self.shown_at: dict[int, float] = {}
        self.hold: dict[int, float] = {}
        self.samples: list[Sample] = []
        self.spy_file = session.new_workdir() / "spy.txt"
        self.actions: dict[str, int] = {}
        self.most_open = 0
        self.warm_at: float | None = None  # seconds into the run

    def shown(self, window: int) -> bool:
        """Whether a window is there and visible; one that closes between the
        two questions is not."""
        try:
            return self.driver.exists(window) and self.driver.visible(window)
        except H.DriverError:
            return False

    # reminder boxes -------------------------------------------------------
    def boxes(self) -> list[int]:
        """Reminder boxes of the clock still shown, whatever window owns them."""
        found = []
        for h in self.driver.find_all("#32770"):
            try:
                if (self.driver.pidof(h) == self.clock.pid and self.driver.visible(h)
                        and self.driver.text(h) == CAPTION):
                    found.append(h)
            except H.DriverError:
                pass  # closed meanwhile
        return found

    def tend_boxes(self, dismiss_all=False, newer_than: float | None = None):
        """Notes new boxes; dismisses those whose time open has run out (all, or
        all that opened after `newer_than`), newest first: a box opened over
        another one has to end before the one below."""
        now = time.monotonic()
        open_boxes = self.boxes()
        self.most_open = max(self.most_open, len(open_boxes))
        for h in open_boxes:
            if h not in self.seen:
                static = self.driver.dlgitem(h, 0xFFFF)
                self.seen[h] = (now, self.driver.text(static) if static else "")
                # Every fourth stays open over the next minute's box.
                self.hold[h] = now + HOLDS[(len(self.seen) - 1) % len(HOLDS)]
        for h in sorted(open_boxes, key=lambda b: self.seen[b][0], reverse=True):
            due = dismiss_all or now >= self.hold[h] or (newer_than is not None and self.seen[h][0] > newer_than)
            if not due:
                break
            self.driver.post(h, H.WM_COMMAND, H.IDOK, 0)
            H.wait_for(lambda: not self.shown(h), what="a reminder box to close")

    def close_dialog(self, dialog: int, button: int, opened: float):
        """Ends a dialog; reminder boxes that opened over it go first, those
        below it stay."""
        self.tend_boxes(newer_than=opened)
        self.driver.post(dialog, H.WM_COMMAND, button, 0)
        deadline = time.monotonic() + 60
        while self.shown(dialog):
            if time.monotonic() > deadline:
                raise H.HarnessError(f"dialog {dialog:#x} did not close")
            self.tend_boxes(newer_than=opened)
            time.sleep(0.2)

    # things a user does ---------------------------------------------------
    def pause(self, longest: float):
        """A user's pause inside an action; none while warming up."""
        if self.warm_at is not None:
            time.sleep(self.random.uniform(0, longest))

    def calendar_and_list(self):
        opened = time.monotonic()
        calendar = Calendar(self.clock, self.open_dialog(M.CALENDAR, "the calendar"))
        reminder_list = calendar.open_list(day_button(self.day))
        self.pause(2)
        self.close_dialog(reminder_list.hwnd, H.IDOK, opened)
        self.close_dialog(calendar.hwnd, H.IDOK, opened)

    def open_dialog(self, command: int, what: str) -> int:
        """A menu command's dialog (not a reminder box that opens meanwhile)."""
        before = set(self.driver.owned(self.clock.hwnd))
        self.clock.command(command)

        def fresh():
            found = [h for h in self.driver.owned(self.clock.hwnd)
                     if h not in before and self.driver.text(h) != CAPTION]
            return found[0] if found else None
        return H.wait_for(fresh, what=what)

    def clock_settings(self):
        opened = time.monotonic()
        dialog = self.open_dialog(M.CLOCK, "the clock settings")
        self.pause(2)
        self.close_dialog(dialog, H.IDOK, opened)

    def tray_and_back(self):
        self.clock.command(H.SC_MINIMIZE)
        H.wait_for(lambda: not self.clock.visible(), what="the indicator in the tray")
        self.pause(5)
        self.clock.command(H.SC_RESTORE)
        H.wait_for(self.clock.visible, what="the indicator back")

    def warm_up(self, started: float, actions, per_round=20):
        """Runs the actions back to back until two rounds in a row leave the
        handles, GDI objects and heap bytes where they were, and two reminder
        boxes have come: Wine's caches (device contexts, fonts) fill up to a
        level first, and the first box, chooser and tray icon load the DLLs
        the program loads only when needed. Boxes are tended as usual."""
        def level():
            self.sample(started)
            last = self.samples.pop()
            return last.gdi_objects, last.heap_in_use, last.handles

        def each_action():
            for action in actions:
                action()
                self.tend_boxes()
        done = repeat_until_still(each_action, level, per_round, rounds=20, also=lambda: len(self.seen) >= 2)
        self.warm_at = max(120.0, time.monotonic() - started)
        print(f"warm after {done} rounds of {per_round} of each action, {round(self.warm_at)} s", flush=True)

    def sample(self, started: float):
        # The memory first, together: each spy call below runs a thread in the
        # clock, whose stack stays mapped for a while after it ends.
        pagefile, _ = self.driver.procmem(self.clock.pid)
        arena, windows_side = anonymous_memory(self.linux_pid)
        heap, _ = self.driver.heap_use(self.clock.pid, self.spy_file)
        gdi = self.driver.gdi_objects(self.clock.pid, self.spy_file, reads=3)
        kinds = self.spy_file.read_text().splitlines()[1].strip()
        self.samples.append(Sample(time.monotonic() - started, pagefile, self.driver.handles(self.clock.pid), gdi,
                                   heap, arena, windows_side, kinds))

    # the run --------------------------------------------------------------
    def run(self) -> bool:
        local = datetime.datetime.combine(self.day, START)
        self.clock = H.Clock.start(self.session, ini=self.written, local_time=local, locale="ru", timeout=60)
        self.linux_pid = session_pid(str(H.program("271")), self.session.prefix)
        self.driver.fill_dc_cache(self.clock.pid, self.spy_file)
        started = time.monotonic()
        end = started + 30 + self.minutes * 60 + 20  # the last minute, and time for its box
        actions = [self.calendar_and_list, self.clock_settings, self.tray_and_back]
        self.warm_up(started, actions)
        next_action = time.monotonic() + self.random.uniform(2, 15)
        next_sample = time.monotonic()
        while time.monotonic() < end:
            self.tend_boxes()
            now = time.monotonic()
            if now >= next_action:
                action = self.random.choice(actions)
                action()
                self.actions[action.__name__] = self.actions.get(action.__name__, 0) + 1
                next_action = time.monotonic() + self.random.uniform(3, 25)
            if now >= next_sample and now - started >= self.warm_at and not self.boxes():
                self.sample(started)
                next_sample = now + 30
            time.sleep(0.3)
        self.tend_boxes(dismiss_all=True)
        time.sleep(3)  # a box that would come twice shows up by now
        self.tend_boxes(dismiss_all=True)
        self.sample(started)
        code = self.clock.close(timeout=30)
        return report(self, code)


def main(argv: list[str]) -> int:
    minutes = int(argv[1]) if len(argv) > 1 else 60
    if not 1 <= minutes <= 13 * 60:
        raise SystemExit("minutes: 1 to 780 (the run stays within its local day)")
    seed = int(time.time())
    print(f"soak: {minutes} min, seed {seed}", flush=True)
    x = H.Xserver()
    session = None
    try:
        session = H.WineSession(x)
        return 0 if Soak(session, minutes, seed).run() else 1
    finally:
        if session:
            session.stop()
        x.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
