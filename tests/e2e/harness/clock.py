"""One running copy of the clock program."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path

from . import base
from .base import EDITIONS, INDICATOR_CLASS, INI_NAME, LOCALES, TIMEOUT_SCALE, DriverError, HarnessError, _wait_until
from .replies import Menu, MessageBox
from .settings_file import Ini, ini_bytes
from .timezone import tz_for
from .win32 import IDOK, WM_CLOSE, WM_COMMAND, WM_SYSCOMMAND
from .wine import WineSession

def program(edition: str) -> Path:
    if edition not in EDITIONS:
        raise HarnessError(f"unknown edition {edition!r}")
    # Read at each start: a test or a benchmark may point base.DIST at other builds.
    return base.DIST / EDITIONS[edition]


class Clock:
    """One running copy of the clock program."""

    def __init__(self, session: WineSession, edition, popen, workdir, hwnd, owner, pid, log):
        self.session, self.edition, self.popen = session, edition, popen
        self.workdir, self.hwnd, self.owner, self.pid, self.log = workdir, hwnd, owner, pid, log
        self.driver = session.driver

    @classmethod
    def start(cls, session: WineSession, edition="271", ini=None, local_time=None, env=None,
              cwd=None, locale=None, timeout=20, launcher=None, poll=0.05) -> "Clock":
        """Starts a copy and waits for its indicator.

        ini: settings file content (text, written as cp1251 with CRLF, or bytes
        as they are), None for no file. The clock program reads it from its
        working directory, the earlier edition from C:\\windows.
        local_time: "HH:MM[:SS]" or a datetime for the program's local time.
        locale: None or "en" (code page 1252) or "ru" (code page 1251).
        launcher: words put before the Wine command line (a tracer, say).
        poll: seconds between looks at the indicator (finer for a benchmark).
        """
        exe = program(edition)
        if not exe.exists():
            raise FileNotFoundError(f"{exe} is not built")
        workdir = _workdir_with_settings(session, edition, ini, cwd)
        launched = time.time()
        run_env = _environment(session, locale, local_time, env, launched)
        driver = session.driver
        before = set(driver.find_all(INDICATOR_CLASS))
        log = session.logs / f"{workdir.name}-{edition}.log"
        with open(log, "ab") as out:
            popen = subprocess.Popen([*session.launcher, *(launcher or []), "wine", str(exe)], cwd=workdir, env=run_env,
                                     stdin=subprocess.DEVNULL, stdout=out, stderr=out)
        try:
            hwnd = _indicator_set_up(driver, popen, exe, log, before, timeout, poll)
            owner = driver.owner(hwnd)
            pid = driver.pidof(hwnd)
        except BaseException:
            popen.kill()
            popen.wait()
            raise
        clock = cls(session, edition, popen, workdir, hwnd, owner, pid, log)
        clock.launched = launched
        return clock

    # state
    def seconds_running(self) -> float:
        """Seconds since the launch: the program's clock has moved on this much
        (and up to one second more) from the `local_time` it was started at."""
        return time.time() - self.launched

    @property
    def running(self) -> bool:
        return self.popen.poll() is None

    @property
    def ini_path(self) -> Path:
        return (self.workdir if self.edition == "271" else self.session.windows_dir) / INI_NAME

    def ini(self) -> Ini | None:
        """The settings file as it is now (read it after the program ended)."""
        path = self.ini_path
        return Ini(path.read_bytes()) if path.exists() else None

    def title(self) -> str:
        return self.driver.text(self.hwnd)

    def rect(self):
        return self.driver.rect(self.hwnd)

    def visible(self) -> bool:
        return self.driver.visible(self.hwnd)

    def menu(self) -> Menu:
        return self.driver.menu(self.pid, self.session.tmp / f"menu-{self.pid}.txt")

    def memory(self) -> tuple[int, int]:
        return self.driver.procmem(self.pid)

    def gdi_objects(self) -> int:
        """GDI objects the program holds (stock objects left out)."""
        return self.driver.gdi_objects(self.pid, self.session.tmp / f"gdi-{self.pid}.txt")

    def fill_dc_cache(self):
        """Fills Wine's cache of window device contexts in the program, so that
        a later GDI object count does not move with it."""
        self.driver.fill_dc_cache(self.pid, self.session.tmp / f"gdi-{self.pid}.txt")

    def message_boxes(self, owner: int | None = None) -> list[MessageBox]:
        """Message boxes and dialogs owned by the indicator (or by `owner`),
        once shown: a box is made visible after its text is in place."""
        boxes = []
        for h in self.driver.owned(self.hwnd if owner is None else owner):
            try:
                if not self.driver.visible(h):
                    continue
            except DriverError:
                continue  # closed meanwhile
            try:
                static = self.driver.dlgitem(h, 0xFFFF)
                text = self.driver.text(static) if static else ""
                boxes.append(MessageBox(h, self.driver.text(h), text))
            except DriverError:
                continue  # its thread is busy (a save of a huge file): not readable yet
        return boxes

    def wait_message_boxes(self, count=1, timeout=10.0, owner=None) -> list[MessageBox]:
        return _wait_until(lambda: (lambda b: b if len(b) >= count else None)(self.message_boxes(owner)),
                           timeout, what=f"{count} message box(es)")

    def dismiss(self, box: MessageBox | int, button: int = IDOK):
        hwnd = box.hwnd if isinstance(box, MessageBox) else box
        self.driver.post(hwnd, WM_COMMAND, button, 0)
        _wait_until(lambda: not self.driver.exists(hwnd), 10, what="the message box to close")

    # actions
    def post(self, msg, wparam=0, lparam=0):
        self.driver.post(self.hwnd, msg, wparam, lparam)

    def send(self, msg, wparam=0, lparam=0) -> int:
        return self.driver.send(self.hwnd, msg, wparam, lparam)

    def command(self, command: int):
        """A menu command, posted as WM_SYSCOMMAND (a dialog may open)."""
        self.post(WM_SYSCOMMAND, command, 0)

    def wait_exit(self, timeout=10.0) -> int:
        return self.popen.wait(timeout * TIMEOUT_SCALE)

    def close(self, timeout=10.0) -> int:
        """Posts WM_CLOSE to the indicator; returns the exit code."""
        self.post(WM_CLOSE)
        return self.wait_exit(timeout)

    def kill(self):
        if self.popen.poll() is None:
            self.popen.kill()
            self.popen.wait(10)


def _workdir_with_settings(session: WineSession, edition: str, ini, cwd) -> Path:
    """The working folder of a start, with its settings file where the edition reads it."""
    workdir = Path(cwd) if cwd else session.new_workdir()
    workdir.mkdir(parents=True, exist_ok=True)
    if ini is not None:
        target = (workdir if edition == "271" else session.windows_dir) / INI_NAME
        target.write_bytes(ini_bytes(ini))
    return workdir


def _environment(session: WineSession, locale, local_time, env, launched: float) -> dict:
    """The session's environment with the start's locale, local time (TZ) and extras."""
    run_env = dict(session.env)
    if locale:
        run_env["LC_ALL"] = LOCALES[locale]
    if local_time is not None:
        run_env["TZ"] = tz_for(local_time, launched)
    if env:
        run_env.update(env)
    return run_env


def _indicator_set_up(driver, popen, exe: Path, log: Path, before: set, timeout, poll) -> int:
    """The new indicator window, once its first refresh is done; an error
    with what Wine printed when the program ends before showing it."""
    def new_indicator():
        if popen.poll() is not None:
            said = log.read_bytes()[-2000:].decode("utf-8", "replace").strip()
            raise HarnessError(f"{exe.name} ended with {popen.returncode} before showing its indicator"
                               + (f"; Wine printed:\n{said}" if said else ""))
        fresh = [h for h in driver.find_all(INDICATOR_CLASS) if h not in before]
        return fresh[0] if fresh else None

    hwnd = _wait_until(new_indicator, timeout, interval=poll, what=f"the {INDICATOR_CLASS} window of {exe.name}")

    # The window is found while it is still being created; its set-up (menu,
    # z-order, timer) is done once the first refresh has replaced the
    # creation title with the date.
    def first_refresh_done():
        if popen.poll() is not None:
            return True
        try:
            return driver.text(hwnd) not in ("", "Horvik")
        except DriverError:
            return False  # busy (a huge settings file): not yet

    _wait_until(first_refresh_done, timeout, interval=poll, what=f"the first refresh of {exe.name}")
    return hwnd
