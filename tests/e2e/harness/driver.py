"""The line protocol of tikkano_driver.exe, and the window commands."""

from __future__ import annotations

import queue
import subprocess
import threading
from pathlib import Path

from .base import TIMEOUT_SCALE, DriverError
from .probes import Probes

from .replies import _hx, _text


class Driver(Probes):
    """tikkano_driver.exe, running in the session's prefix and display."""

    def __init__(self, env: dict, exe: Path, log: Path, timeout: float = 30, launcher=()):
        self.timeout = timeout
        self._env, self._exe, self._launcher = env, exe, list(launcher)
        self._log = open(log, "ab")
        self._lock = threading.Lock()
        self._start()

    def _start(self):
        self.proc = subprocess.Popen([*self._launcher, "wine", str(self._exe)], env=self._env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=self._log, bufsize=0)
        self._lines: queue.Queue = queue.Queue()
        self._reader = threading.Thread(target=self._read, args=(self.proc, self._lines), daemon=True)
        self._reader.start()
        self._broken = False
        answer = self._exchange("ping", 60)
        if answer != "ok pong":
            raise DriverError(f"driver did not start: {answer!r}")

    @staticmethod
    def _read(proc, lines):
        for line in iter(proc.stdout.readline, b""):
            lines.put(line.decode("utf-8", "replace").rstrip("\r\n"))
        lines.put(None)

    def _exchange(self, line: str, timeout: float) -> str:
        """One command and its answer. A driver that did not answer in time,
        or ended, is marked broken: a late answer would be taken as the next
        command's, so it is started afresh before the next command."""
        try:
            self.proc.stdin.write(line.encode("utf-8") + b"\n")
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError) as e:
            self._broken = True
            raise DriverError(f"driver is gone ({e}; exit code {self.proc.poll()})")
        try:
            answer = self._lines.get(timeout=timeout * TIMEOUT_SCALE)
        except queue.Empty:
            self._broken = True
            raise DriverError(f"driver gave no answer to {line!r}")
        if answer is None:
            self._broken = True
            raise DriverError(f"driver ended while answering {line!r} (exit code {self.proc.poll()})")
        return answer

    def raw(self, line: str, timeout: float | None = None) -> str:
        with self._lock:
            if self._broken or self.proc.poll() is not None:
                # What the old one held (a file, a watch) is gone with it.
                self.proc.kill()
                self.proc.wait()
                self._start()
            return self._exchange(line, timeout or self.timeout)

    def cmd(self, line: str, timeout: float | None = None) -> str:
        """Runs one command; returns what follows "ok", raises on "err"."""
        answer = self.raw(line, timeout)
        if answer == "ok" or answer.startswith("ok "):
            return answer[3:]
        raise DriverError(f"{line!r}: {answer}")

    # windows
    def find(self, cls: str, title: str | None = None) -> int | None:
        answer = self.raw(f"find {cls}" + (f" {title}" if title is not None else ""))
        return int(answer[3:], 16) if answer.startswith("ok ") else None

    def find_all(self, cls: str) -> list[int]:
        return [int(h, 16) for h in self.cmd(f"findall {cls}").split()]

    def wait(self, cls: str, ms: int) -> int | None:
        answer = self.raw(f"wait {cls} {ms}", timeout=ms / 1000 + 30)
        return int(answer[3:], 16) if answer.startswith("ok ") else None

    def owned(self, owner: int) -> list[int]:
        return [int(h, 16) for h in self.cmd(f"owned {_hx(owner)}").split()]

    def children(self, hwnd: int) -> list[tuple[int, int, str]]:
        out = []
        for triple in self.cmd(f"children {_hx(hwnd)}").split():
            h, ident, cls = triple.split(":")
            out.append((int(h, 16), int(ident), _text(cls)))
        return out

    def pidof(self, hwnd: int) -> int:
        return int(self.cmd(f"pidof {_hx(hwnd)}"))

    def exists(self, hwnd: int) -> bool:
        return self.cmd(f"exists {_hx(hwnd)}") == "1"

    def window_class(self, hwnd: int) -> str:
        return _text(self.cmd(f"class {_hx(hwnd)}"))

    def rect(self, hwnd: int) -> tuple[int, int, int, int]:
        return tuple(int(v) for v in self.cmd(f"rect {_hx(hwnd)}").split())

    def client(self, hwnd: int) -> tuple[int, int, int, int]:
        """Client rectangle in screen coordinates."""
        return tuple(int(v) for v in self.cmd(f"client {_hx(hwnd)}").split())

    def visible(self, hwnd: int) -> bool:
        return self.cmd(f"visible {_hx(hwnd)}") == "1"

    def enabled(self, hwnd: int) -> bool:
        return self.cmd(f"enabled {_hx(hwnd)}") == "1"

    def style(self, hwnd: int) -> int:
        return int(self.cmd(f"style {_hx(hwnd)}"), 16)

    def exstyle(self, hwnd: int) -> int:
        return int(self.cmd(f"exstyle {_hx(hwnd)}"), 16)

    def owner(self, hwnd: int) -> int:
        return int(self.cmd(f"owner {_hx(hwnd)}"), 16)

    def text(self, hwnd: int) -> str:
        return _text(self.cmd(f"text {_hx(hwnd)}"))

    def set_text(self, hwnd: int, text: str) -> int:
        data = text.encode("utf-8").hex() or "-"
        return int(self.cmd(f"settext {_hx(hwnd)} {data}"))

    def listbox_items(self, hwnd: int) -> list[str]:
        words = self.cmd(f"lbitems {_hx(hwnd)}").split()
        return ["" if w == "-" else _text(w) for w in words[1:]]

    def dlgitem(self, hwnd: int, ident: int) -> int | None:
        answer = self.raw(f"dlgitem {_hx(hwnd)} {ident}")
        return int(answer[3:], 16) if answer.startswith("ok ") else None

    def check(self, hwnd: int) -> int:
        return int(self.cmd(f"check {_hx(hwnd)}"))

    def post(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0):
        self.cmd(f"post {_hx(hwnd)} {msg} {wparam} {lparam}")

    def send(self, hwnd: int, msg: int, wparam: int = 0, lparam: int = 0) -> int:
        return int(self.cmd(f"send {_hx(hwnd)} {msg} {wparam} {lparam}"))

    # keyboard
    def keys(self, *chords: str):
        """Real key strokes for the foreground window: "tab", "shift+tab",
        "ctrl+pgdn", "apps", "shift+f10"...; text=... types characters."""
        strokes = ",".join(chords)
        self.cmd(f"keys {strokes}")

    def type_text(self, text: str):
        self.cmd(f"keys text:{text.encode('utf-8').hex()}")

    def focus(self, hwnd: int) -> tuple[int, int, int]:
        """(window with the keyboard focus, its control ID, active window) in
        the thread of `hwnd`."""
        focus, ident, active = self.cmd(f"focus {_hx(hwnd)}").split()
        return int(focus, 16), int(ident), int(active, 16)

    # screen
    def close(self):
        if self.proc.poll() is None and self._broken:
            self.proc.kill()
            self.proc.wait()
        elif self.proc.poll() is None:
            try:
                self.raw("quit", timeout=10)
                self.proc.wait(10)
            except (DriverError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
        self._log.close()


