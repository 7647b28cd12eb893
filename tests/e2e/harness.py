"""End-to-end harness: runs the Tikkano programs under Wine on a private Xvfb
display and drives them through tikkano_driver.exe.

Pieces, from the bottom up:
  Xserver      - one Xvfb of our own (never the user's screen), 1024x768x24.
  ready_prefix - a cached win32 Wine prefix with window management off.
  WineSession  - a fresh copy of that prefix, a persistent wineserver, the
                 helper processes started once, and one driver process.
  Driver       - the line protocol of tikkano_driver.exe.
  Clock        - one running copy of tikkano.exe / tikkano262.exe.

Locations (environment):
  TIKKANO_DIST      folder with tikkano.exe and tikkano262.exe (<repo>/dist)
  TIKKANO_E2E_BIN   folder with tikkano_driver.exe and tikkano_menuspy.dll
                    (<repo>/build-win/tests/e2e)
  TIKKANO_SHOTS     where screenshots go (<repo>/out/screenshots)
  TIKKANO_E2E_CACHE where the ready prefix is kept (~/.cache/tikkano-e2e)
"""

from __future__ import annotations

import calendar
import datetime as _dt
import fcntl
import math
import os
import queue
import re
import shutil
import subprocess
import tempfile
import threading
import time
from dataclasses import dataclass
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]


def _wine_bits() -> int:
    """32, or 64 where the kernel cannot run Wine's 32-bit loader (see scripts/wine-env.sh)."""
    if os.environ.get("TIKKANO_WINE_BITS") in ("32", "64"):
        return int(os.environ["TIKKANO_WINE_BITS"])
    loader = Path("/usr/lib/wine/wine")
    if not loader.exists():
        return 32
    try:
        ok = subprocess.run([str(loader), "--version"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, timeout=30).returncode == 0
    except OSError:
        ok = False
    return 32 if ok else 64


WINE_BITS = _wine_bits()
# Inside scripts/emu32.sh, on a kernel that cannot run 32-bit programs, qemu
# runs Wine's 32-bit side: everything there is as on a 32-bit-capable machine
# (WINE_BITS 32), only several times slower.
EMULATED = os.environ.get("TIKKANO_EMULATED") == "1"
# Every wait on an event may last this many times longer before it counts as failed.
TIMEOUT_SCALE = float(os.environ.get("TIKKANO_TIMEOUT_SCALE", 3 if EMULATED else 1))
# On a 64-bit-only machine the tests run the 64-bit builds of the same sources.
_BUILD = REPO / ("build-win" if WINE_BITS == 32 else "build-win64")
DIST = Path(os.environ.get("TIKKANO_DIST", REPO / "dist" if WINE_BITS == 32 else _BUILD / "dist"))
E2E_BIN = Path(os.environ.get("TIKKANO_E2E_BIN", _BUILD / "tests" / "e2e"))
SHOTS = Path(os.environ.get("TIKKANO_SHOTS", REPO / "out" / "screenshots"))
CACHE = Path(os.environ.get(
    "TIKKANO_E2E_CACHE",
    Path(os.environ.get("XDG_CACHE_HOME", Path.home() / ".cache")) / "tikkano-e2e"))

EDITIONS = {"271": "tikkano.exe", "262": "tikkano262.exe"}
INI_NAME = "Horvik32.ini"

# Window classes and messages of the clock.
OWNER_CLASS = "Comdlg32WClass"
INDICATOR_CLASS = "HorvikClass"
WM_CLOSE = 0x0010
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016
WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
WM_LBUTTONDBLCLK = 0x0203
WM_RBUTTONDOWN = 0x0204
TRAY_CALLBACK = 1032
SC_MINIMIZE = 0xF020
SC_RESTORE = 0xF120
WS_VISIBLE = 0x10000000
WS_POPUP = 0x80000000
WS_SYSMENU = 0x00080000
WS_EX_TOPMOST = 0x00000008
WS_EX_TOOLWINDOW = 0x00000080
MF_CHECKED = 0x8
MF_SEPARATOR = 0x800
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
IDRETRY = 4

# Locales a program can be started in: the default is an English Windows
# (ANSI code page 1252), "ru" a Russian one (code page 1251).
LOCALES = {"en": "en_US.UTF-8", "ru": "ru_RU.UTF-8"}


class HarnessError(RuntimeError):
    pass


class DriverError(HarnessError):
    pass


def _run(args, env=None, timeout=120, **kw):
    return subprocess.run(args, env=env, timeout=timeout, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def _wait_until(predicate, timeout, interval=0.05, what="condition"):
    timeout *= TIMEOUT_SCALE
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


def wait_for(predicate, timeout=8.0, what="condition"):
    """What the tests wait with: the predicate's first true value, or a failure."""
    return _wait_until(predicate, timeout, interval=0.1, what=what)


# --------------------------------------------------------------------------
# Local time through TZ

def tz_for(local_time, now_utc: float | None = None) -> str:
    """POSIX TZ that makes Wine's local time read `local_time` now.

    `local_time` is "HH:MM[:SS]" (today's UTC date) or a datetime (naive, taken
    as the wanted local date and time). The offset must stay within a day.
    POSIX counts the offset west of Greenwich, so its sign is inverted.
    """
    now = time.time() if now_utc is None else now_utc
    if isinstance(local_time, _dt.datetime):
        target = calendar.timegm(local_time.replace(tzinfo=None).timetuple())
    else:
        parts = [int(p) for p in str(local_time).split(":")]
        while len(parts) < 3:
            parts.append(0)
        h, m, s = parts
        day = _dt.datetime.fromtimestamp(now, _dt.timezone.utc).date()
        target = calendar.timegm(day.timetuple()) + h * 3600 + m * 60 + s
    # Rounded up, so that the program's clock reads at least `local_time`
    # when it starts, never the second before it.
    offset = math.ceil(target - now)
    if abs(offset) > 24 * 3600 - 1:
        raise HarnessError(f"local time {local_time} is more than a day away from UTC now")
    sign = "-" if offset >= 0 else "+"
    a = abs(offset)
    return f"TKO{sign}{a // 3600:02d}:{a % 3600 // 60:02d}:{a % 60:02d}"


# --------------------------------------------------------------------------
# Settings file

class Ini:
    """A parsed settings file: sections and keys in file order."""

    def __init__(self, raw: bytes):
        self.raw = raw
        if raw.startswith(b"\xff\xfe"):
            text = raw[2:].decode("utf-16-le")
        elif raw.startswith(b"\xef\xbb\xbf"):
            text = raw[3:].decode("utf-8")
        else:
            text = raw.decode("cp1251")
        self.text = text
        self.sections: dict[str, dict[str, str]] = {}
        self.section_order: list[str] = []
        current = None
        for line in text.splitlines():
            stripped = line.strip()
            if not stripped or stripped.startswith(";"):
                continue
            if stripped.startswith("[") and "]" in stripped:
                name = stripped[1:stripped.index("]")]
                self.section_order.append(name)
                current = self.sections.setdefault(name, {})
            elif current is not None:
                key, sep, value = line.partition("=")
                if sep:
                    current[key.strip()] = value.strip()

    def __getitem__(self, section):
        return self.sections[section]

    def __contains__(self, section):
        return section in self.sections

    def get(self, section, key, default=None):
        return self.sections.get(section, {}).get(key, default)

    def keys(self, section):
        return list(self.sections.get(section, {}))

    def __repr__(self):
        return f"Ini({self.sections!r})"


# The settings file that a fresh start of the clock program writes at its close
# with the indicator at 150, 0 and LastTime 202612070905 (the unit tests read it too).
GOLDEN_DEFAULTS = REPO / "tests" / "golden" / "default_settings.ini"


def default_settings(last_time: str | None) -> bytes:
    """The golden file with `last_time` for its LastTime, or without the key
    (the earlier edition writes none)."""
    raw = GOLDEN_DEFAULTS.read_bytes()
    line = re.search(rb"LastTime=\d{12}\r\n", raw)
    assert line, "the golden file has no LastTime"
    stamp = b"" if last_time is None else b"LastTime=" + last_time.encode() + b"\r\n"
    return raw[:line.start()] + stamp + raw[line.end():]


def ini_bytes(ini) -> bytes:
    """Settings-file content as the program reads it: cp1251 with CRLF."""
    if isinstance(ini, bytes):
        return ini
    text = "\r\n".join(str(ini).replace("\r\n", "\n").split("\n"))
    return text.encode("cp1251")


# --------------------------------------------------------------------------
# X server

class Xserver:
    def __init__(self, size="1024x768x24"):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(w)
        data = b""
        deadline = time.monotonic() + 20
        with os.fdopen(r, "rb") as f:
            while not data.endswith(b"\n") and time.monotonic() < deadline:
                chunk = f.read(1)
                if not chunk:
                    break
                data += chunk
        if not data.strip().isdigit():
            self.proc.kill()
            raise HarnessError("Xvfb did not start")
        self.display = ":" + data.strip().decode()

    def screenshot(self, path: Path, window="root"):
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", str(window), str(path)],
                       check=True, timeout=30, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class XorgUnavailable(HarnessError):
    """Xorg could not start here at all (not root, no console for it, not installed)."""


class XorgMonitors:
    """Xorg with the dummy video driver: one X screen with outputs DUMMY0..
    that xrandr switches on, places and switches off, so that Wine sees several
    monitors and follows their changes. Xorg needs root."""

    CONFIG = """\
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 96000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2048
    EndSubSection
EndSection
"""

    def __init__(self):
        for tool in ("Xorg", "xrandr"):
            if not shutil.which(tool):
                raise XorgUnavailable(f"{tool} is not installed (scripts/install-deps.sh installs it)")
        self.tmp = Path(tempfile.mkdtemp(prefix="tikkano-xorg-"))
        config, self.log = self.tmp / "xorg.conf", self.tmp / "xorg.log"
        config.write_text(self.CONFIG)
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xorg", "-displayfd", str(w), "-noreset", "-nolisten", "tcp", "-config", str(config),
             "-logfile", str(self.log)],
            pass_fds=(w,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(w)
        number = _display_number(r, 30 * TIMEOUT_SCALE)
        if number is None:
            if self.proc.poll() is None:
                self.proc.kill()
            self.proc.wait()
            lines = self.log.read_text(errors="replace").splitlines() if self.log.exists() else []
            said = [line.split("(EE)", 1)[1].strip() for line in lines if "(EE)" in line]
            said = [line for line in said if line and not line.startswith(("Please also check", "Server terminated"))]
            self.stop()
            raise XorgUnavailable("Xorg did not start" + (": " + " / ".join(said[-3:]) if said else ""))
        self.display = ":" + number
        self.xrandr("--addmode", "DUMMY1", "1024x768")

    def lay_out(self, driver: "Driver", monitors: list[tuple[int, int, int, int]], *xrandr_args: str):
        """Sets the outputs with xrandr and waits until Wine, asked through the
        driver, reports exactly `monitors` (Windows rectangles, in any order)."""
        self.xrandr(*xrandr_args)
        wanted = (len(monitors), sorted(monitors))
        wait_for(lambda: (lambda c, rects: (c, sorted(rects)) == wanted)(*driver.monitors()), timeout=15,
                 what=f"Wine to see the monitors {monitors}")

    def xrandr(self, *args: str):
        """Runs xrandr, then once more with no arguments: only that full probe
        makes the new layout reach Wine."""
        env = dict(os.environ, DISPLAY=self.display)
        for words in (args, ()):
            subprocess.run(["xrandr", *words], env=env, check=True, timeout=60, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def screenshot(self, path: Path, window="root"):
        return Xserver.screenshot(self, path, window)

    def stop(self):
        Xserver.stop(self)
        shutil.rmtree(self.tmp, ignore_errors=True)


def _display_number(fd: int, timeout: float) -> str | None:
    """The display number an X server started with -displayfd writes, or None."""
    data = b""
    deadline = time.monotonic() + timeout
    with os.fdopen(fd, "rb") as f:
        while not data.endswith(b"\n") and time.monotonic() < deadline:
            chunk = f.read(1)
            if not chunk:
                break
            data += chunk
    return data.strip().decode() if data.strip().isdigit() else None


# --------------------------------------------------------------------------
# Wine prefix

def wine_base_env(prefix: Path, display: str | None) -> dict:
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("WINE", "LC_", "WAYLAND")) and k not in ("LANG", "LANGUAGE", "TZ", "DISPLAY")}
    env.update(WINEPREFIX=str(prefix), WINEARCH="win32" if WINE_BITS == 32 else "win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree=;mshtml=", LC_ALL=LOCALES["en"])
    if WINE_BITS == 64:
        shims = str(REPO / "scripts" / "wine64")
        if shims not in env.get("PATH", "").split(":"):
            env["PATH"] = shims + ":" + env.get("PATH", "")
    if display:
        env["DISPLAY"] = display
    return env


def _wine_version() -> str:
    out = subprocess.run(["wine", "--version"], capture_output=True, text=True, timeout=30,
                         env=wine_base_env(CACHE / "unused", None))
    version = out.stdout.strip().replace(" ", "_").replace("/", "_") or "wine"
    return f"{version}-win{WINE_BITS}"


def ready_prefix() -> Path:
    """A ready win32 prefix, made once and kept in the cache.

    Window management is turned off in the registry before explorer.exe ever
    runs in it: without a window manager, closing a captioned window otherwise
    stalls for about two seconds.
    """
    CACHE.mkdir(parents=True, exist_ok=True)
    base = CACHE / f"prefix-{_wine_version()}"
    with open(CACHE / "prefix.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if (base / ".tikkano-ready").exists():
            return base
        work = CACHE / "prefix.making"
        shutil.rmtree(work, ignore_errors=True)
        shutil.rmtree(base, ignore_errors=True)
        env = wine_base_env(work, None)
        _run(["wine", "wineboot", "-i"], env=env, timeout=300)
        _run(["wineserver", "-w"], env=env, timeout=300)
        _run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
             env=env, timeout=120)
        _run(["wineserver", "-w"], env=env, timeout=300)
        user_reg = (work / "user.reg").read_text(errors="replace")
        if '"Managed"="N"' not in user_reg:
            raise HarnessError("could not turn window management off in the new prefix")
        (work / ".tikkano-ready").touch()
        work.rename(base)
        return base


# --------------------------------------------------------------------------
# Driver

def _hx(h: int) -> str:
    return hex(h)


def _text(hexutf8: str) -> str:
    return bytes.fromhex(hexutf8).decode("utf-8") if hexutf8 else ""


@dataclass
class MenuItem:
    id: int
    state: int
    text: str

    @property
    def checked(self) -> bool:
        return bool(self.state & MF_CHECKED)

    @property
    def separator(self) -> bool:
        return bool(self.state & MF_SEPARATOR)


class Menu:
    """Items of a system menu in order; menu[command] looks an item up by its
    command id (KeyError when there is none), so Wine's extra items and the
    positions of separators do not matter."""

    def __init__(self, items: list[MenuItem]):
        self.items = items

    def __getitem__(self, command: int) -> MenuItem:
        item = self.get(command)
        if item is None:
            raise KeyError(f"no menu item with command {command:#x} in {self.items}")
        return item

    def get(self, command: int) -> MenuItem | None:
        for item in self.items:
            if item.id == command and not item.separator:
                return item
        return None

    def __contains__(self, command: int) -> bool:
        return self.get(command) is not None

    def __iter__(self):
        return iter(self.items)

    def __len__(self):
        return len(self.items)

    def ids(self) -> list[int]:
        return [item.id for item in self.items if not item.separator]

    def __repr__(self):
        return f"Menu({self.items!r})"


@dataclass
class MessageBox:
    hwnd: int
    caption: str
    text: str


class Driver:
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
    def pixel(self, x: int, y: int) -> int:
        """Colour at a screen point as a COLORREF, 0x00BBGGRR."""
        return int(self.cmd(f"pixel {x} {y}"), 16)

    def pixels(self, left: int, top: int, right: int, bottom: int) -> "Pixels":
        w, h, data = self.cmd(f"pixels {left} {top} {right} {bottom}", timeout=60).split(" ", 2)
        return Pixels(int(w), int(h), bytes.fromhex(data))

    def screen_size(self) -> tuple[int, int]:
        cx, cy, _, _ = (int(v) for v in self.cmd("screen").split())
        return cx, cy

    def monitors(self) -> tuple[int, list[tuple[int, int, int, int]]]:
        """(GetSystemMetrics(SM_CMONITORS), the rectangles EnumDisplayMonitors gives)."""
        count, *rects = self.cmd("monitors").split()
        return int(count), [tuple(int(v) for v in r.split(",")) for r in rects]

    def cursor(self, x: int, y: int):
        self.cmd(f"cursor {x} {y}")

    def display_mode(self, width: int, height: int):
        self.cmd(f"displaymode {width} {height}", timeout=60)

    # processes
    def _spy(self, command: str, pid: int, out_file: Path, timeout: float | None = None) -> Path:
        """Has the spy DLL answer `command` inside the process into out_file,
        removed first so that a stale answer is never read."""
        out_file = Path(out_file)
        out_file.unlink(missing_ok=True)
        self.cmd(f"{command} {pid} {unix_to_wine_path(out_file)}", timeout=timeout)
        return out_file

    def menu(self, pid: int, out_file: Path) -> Menu:
        out_file = self._spy("menu", pid, out_file)
        items = []
        for line in out_file.read_bytes().decode("utf-8").splitlines():
            ident, state, text = line.split("\t", 2)
            items.append(MenuItem(int(ident, 16), int(state, 16), text))
        return Menu(items)

    def tooltips(self, pid: int, out_file: Path) -> list[tuple[int, int, int, str]]:
        """Tools of every tooltip control of a process, read inside it by the
        spy DLL: (tooltip window, tool window, tool id, text)."""
        out_file = self._spy("tooltips", pid, out_file)
        tools = []
        for line in out_file.read_bytes().decode("utf-8").splitlines():
            tip, window, ident, text = line.split("\t", 3)
            tools.append((int(tip, 16), int(window, 16), int(ident, 16), text))
        return tools

    def heap_use(self, pid: int, out_file: Path) -> tuple[int, int]:
        """(bytes, blocks) in use in the process's Windows heaps, walked inside
        it by the spy DLL: what the program and the system DLLs it uses hold,
        without the pages Wine's Unix side maps, which PagefileUsage counts too."""
        out_file = self._spy("heapuse", pid, out_file)
        used, blocks = out_file.read_text().split()
        return int(used), int(blocks)

    def gdi_objects(self, pid: int, out_file: Path, reads: int = 1) -> int:
        """GDI objects the process holds (stock objects left out), counted
        inside it by the spy DLL: fonts, brushes, bitmaps, device contexts...
        A count rises while the program paints and holds a few for the
        moment: with several reads, the fewest counted (out_file keeps the
        last read's list by kind)."""
        counts = []
        for read in range(reads):
            if read:
                time.sleep(0.05)
            counts.append(int(self._spy("gdiobjects", pid, out_file).read_text().split()[0]))
        return min(counts)

    def fill_dc_cache(self, pid: int, out_file: Path) -> int:
        """Fills Wine's cache of window device contexts in the process, which
        otherwise grows now and then until full (see menuspy.cpp), so that
        its GDI object count stays still after a warm-up. Returns how many
        device contexts it held at once."""
        return int(self._spy("filldccache", pid, out_file).read_text())

    def watch_fonts(self, pid: int, out_file: Path):
        """From now on the process notes, at each message box it opens, how many
        device contexts still hold a font it selected (see menuspy.cpp)."""
        self.cmd(f"fontwatch {pid} {unix_to_wine_path(out_file)}")

    def post_many(self, hwnd: int, msg: int, wparam: int, lparam: int, count: int):
        self.cmd(f"postmany {_hx(hwnd)} {msg} {wparam} {lparam} {count}", timeout=120)

    def extent(self, text: str, face: str | None = None, height: int = 0) -> tuple[int, int]:
        """GetTextExtentPoint32A of an ANSI (cp1252) text in a screen DC, in the
        font `face` of `height` (None: the DC's own System font)."""
        hface = face.encode("cp1252").hex() if face else "-"
        htext = text.encode("cp1252").hex() or "-"
        cx, cy = self.cmd(f"extent {hface} {height} {htext}").split()
        return int(cx), int(cy)

    def move(self, hwnd: int, x: int, y: int):
        """SetWindowPos to (x, y), keeping size and z-order."""
        self.cmd(f"move {_hx(hwnd)} {x} {y}")

    def visible_windows(self, cls: str) -> list[int]:
        return [int(h, 16) for h in self.cmd(f"visiblewindows {cls}").split()]

    def watch(self, left: int, top: int, right: int, bottom: int, ms: int) -> tuple[int, list[tuple[float, float]]]:
        """Polls a screen region inside the driver for `ms` milliseconds; answers
        the number of polls and, for each change, the Unix times in ms of the
        last poll before it and of the poll that saw it."""
        words = self.cmd(f"watch {left} {top} {right} {bottom} {ms}", timeout=ms / 1000 + 60).split()
        changes = [tuple(float(v) for v in w.split(":")) for w in words[1:]]
        return int(words[0]), changes

    def procmem(self, pid: int) -> tuple[int, int]:
        """(PagefileUsage, WorkingSetSize) of a Windows process, in bytes."""
        pagefile, working_set, _peak = self.cmd(f"procmem {pid}").split()
        return int(pagefile), int(working_set)

    def peak_private(self, pid: int) -> int:
        """The most private bytes (PeakPagefileUsage) a Windows process has held."""
        return int(self.cmd(f"procmem {pid}").split()[2])

    def handles(self, pid: int) -> int:
        return int(self.cmd(f"handles {pid}").split()[0])

    def text_fits(self, pid: int, out_file: Path) -> dict[int, "TextFit"]:
        """The texts of every static and button of the process's shown dialogs,
        each measured inside the process in the control's own font."""
        # Every control of every shown dialog is measured: slow under emulation.
        out_file = self._spy("textfits", pid, out_file, timeout=90)
        fits = {}
        for line in out_file.read_text().splitlines():
            hwnd, *numbers = line.split("\t")
            fits[int(hwnd, 16)] = TextFit(*(int(v) for v in numbers))
        return fits

    def hold(self, path: Path):
        """Holds a file open without sharing it, as another program can: the
        clock's reads of it give the defaults and its writes fail."""
        self.cmd(f"hold {unix_to_wine_path(path)}")

    def release(self):
        self.cmd("release")

    def dpi(self) -> int:
        """LOGPIXELSY of the screen, as a DPI-aware program sees it."""
        return int(self.cmd("dpi"))

    def locale(self) -> tuple[int, int, int]:
        acp, oemcp, lcid = self.cmd("locale").split()
        return int(acp), int(oemcp), int(lcid, 16)

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


@dataclass
class TextFit:
    """What a control's text needs, in its own font, against its client area."""
    width: int           # on one line
    height: int          # of one line
    wrapped_width: int   # broken into lines at the client width (wider: a word too long)
    wrapped_height: int
    client_width: int
    client_height: int
    font_height: int     # lfHeight of the control's font


class Pixels:
    """A screen region: width, height and R, G, B bytes, top-down."""

    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x: int, y: int) -> int:
        """Colour of a pixel of the region as a COLORREF, 0x00BBGGRR."""
        i = (y * self.width + x) * 3
        r, g, b = self.rgb[i:i + 3]
        return r | g << 8 | b << 16

    def colours(self) -> dict[int, int]:
        """COLORREF -> number of pixels of that colour."""
        counts: dict[int, int] = {}
        for i in range(0, len(self.rgb), 3):
            r, g, b = self.rgb[i:i + 3]
            c = r | g << 8 | b << 16
            counts[c] = counts.get(c, 0) + 1
        return counts

    def digest(self) -> str:
        import hashlib
        return hashlib.sha1(self.rgb).hexdigest()[:16]

    def __eq__(self, other):
        return isinstance(other, Pixels) and (self.width, self.height, self.rgb) == (
            other.width, other.height, other.rgb)


def unix_to_wine_path(path: Path) -> str:
    """Wine maps the Unix root to drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# --------------------------------------------------------------------------
# Session

class WineSession:
    """A clean prefix with its own wineserver, on the given X server.
    launcher: words put before every Wine command of the session (nsenter into
    a private mount namespace, say, where the wineserver then runs)."""

    def __init__(self, xserver: Xserver, virtual_desktop: str | None = None, log_pixels: int | None = None,
                 launcher=()):
        self.x = xserver
        self.launcher = list(launcher)
        self.tmp = Path(tempfile.mkdtemp(prefix="tikkano-e2e-"))
        self.prefix = self.tmp / "prefix"
        self.logs = self.tmp / "logs"
        self.logs.mkdir()
        self._runs = 0
        self.driver = self._anchor = None
        subprocess.run(["cp", "-a", str(ready_prefix()), str(self.prefix)], check=True, timeout=300)
        self.env = wine_base_env(self.prefix, xserver.display)
        try:
            offline = dict(self.env)
            offline.pop("DISPLAY")
            if log_pixels:
                # The screen's DPI setting, read by Wine when the session starts.
                _run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                      "/d", str(log_pixels), "/f"], env=offline, timeout=120, check=True)
                _run(["wineserver", "-w"], env=offline, timeout=120)
            if virtual_desktop:
                # Programs run inside one Wine desktop window whose size the
                # driver can change. The keys go in while no explorer.exe runs
                # (reg.exe itself may start one, which would keep the old
                # setting), then everything stops before the session starts.
                for args in ([r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default"],
                             [r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default", "/d", virtual_desktop]):
                    _run(["wine", "reg", "add", *args, "/f"], env=offline, timeout=120, check=True)
                _run(["wineserver", "-w"], env=offline, timeout=120)
            _run([*self.launcher, "wineserver", "-p"], env=self.env, timeout=60, check=True)
            # Start services.exe, explorer.exe and friends now, with stdio that
            # goes nowhere: otherwise they inherit a test's pipes.
            driver_exe = self.driver_exe()
            subprocess.run([*self.launcher, "wine", str(driver_exe)], env=self.env, input=b"screen\nquit\n",
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120, check=True)
            self.driver = Driver(self.env, driver_exe, self.logs / "driver.log", launcher=self.launcher)
            # Wine closes the desktop, and explorer.exe with it, a second after a
            # thread leaves it when the threads left on it are no more than
            # explorer's own; a spy thread ending in explorer (the tray's
            # tooltips) is still counted as explorer's then. With the driver as
            # the only other user, the next program would start on a new
            # desktop that the driver cannot see. A second driver, idle, keeps
            # one more user on the desktop for the whole session.
            self._anchor = Driver(self.env, driver_exe, self.logs / "anchor.log", launcher=self.launcher)
            self._anchor.raw("find Shell_TrayWnd")
        except BaseException:
            self.stop()
            raise

    @staticmethod
    def driver_exe() -> Path:
        exe = E2E_BIN / "tikkano_driver.exe"
        spy = E2E_BIN / "tikkano_menuspy.dll"
        for f in (exe, spy):
            if not f.exists():
                raise HarnessError(f"{f} is missing: build the tikkano_driver and tikkano_menuspy targets "
                                   f"(or point TIKKANO_E2E_BIN at them)")
        return exe

    def driver_batch(self, commands: list[str], locale: str | None = None) -> list[str]:
        """Runs a short-lived driver (say, in another locale) on a few commands."""
        env = dict(self.env)
        if locale:
            env["LC_ALL"] = LOCALES[locale]
        out = subprocess.run([*self.launcher, "wine", str(self.driver_exe())], env=env,
                             input=("\n".join(commands) + "\nquit\n").encode(),
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60, check=True)
        return out.stdout.decode("utf-8", "replace").splitlines()[:len(commands)]

    @property
    def windows_dir(self) -> Path:
        return self.prefix / "drive_c" / "windows"

    def new_workdir(self) -> Path:
        self._runs += 1
        d = self.tmp / f"run{self._runs:03d}"
        d.mkdir()
        return d

    def stop(self):
        for driver in (self.driver, self._anchor):
            if driver:
                driver.close()
        self.driver = self._anchor = None
        _run([*self.launcher, "wineserver", "-k"], env=self.env, timeout=60)
        _run([*self.launcher, "wineserver", "-w"], env=self.env, timeout=60)
        shutil.rmtree(self.tmp, ignore_errors=True)


# --------------------------------------------------------------------------
# The program under test

def program(edition: str) -> Path:
    if edition not in EDITIONS:
        raise HarnessError(f"unknown edition {edition!r}")
    return DIST / EDITIONS[edition]


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
        workdir = Path(cwd) if cwd else session.new_workdir()
        workdir.mkdir(parents=True, exist_ok=True)
        if ini is not None:
            target = (workdir if edition == "271" else session.windows_dir) / INI_NAME
            target.write_bytes(ini_bytes(ini))
        run_env = dict(session.env)
        if locale:
            run_env["LC_ALL"] = LOCALES[locale]
        launched = time.time()
        if local_time is not None:
            run_env["TZ"] = tz_for(local_time, launched)
        if env:
            run_env.update(env)
        driver = session.driver
        before = set(driver.find_all(INDICATOR_CLASS))
        log = session.logs / f"{workdir.name}-{edition}.log"
        with open(log, "ab") as out:
            popen = subprocess.Popen([*session.launcher, *(launcher or []), "wine", str(exe)], cwd=workdir, env=run_env,
                                     stdin=subprocess.DEVNULL, stdout=out, stderr=out)

        def new_indicator():
            if popen.poll() is not None:
                said = log.read_bytes()[-2000:].decode("utf-8", "replace").strip()
                raise HarnessError(f"{exe.name} ended with {popen.returncode} before showing its indicator"
                                   + (f"; Wine printed:\n{said}" if said else ""))
            fresh = [h for h in driver.find_all(INDICATOR_CLASS) if h not in before]
            return fresh[0] if fresh else None

        try:
            hwnd = _wait_until(new_indicator, timeout, interval=poll,
                               what=f"the {INDICATOR_CLASS} window of {exe.name}")
            # The window is found while it is still being created; its set-up
            # (menu, z-order, timer) is done once the first refresh has replaced
            # the creation title with the date.
            def first_refresh_done():
                if popen.poll() is not None:
                    return True
                try:
                    return driver.text(hwnd) not in ("", "Horvik")
                except DriverError:
                    return False  # busy (a huge settings file): not yet

            _wait_until(first_refresh_done, timeout, interval=poll, what=f"the first refresh of {exe.name}")
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
            static = self.driver.dlgitem(h, 0xFFFF)
            text = self.driver.text(static) if static else ""
            boxes.append(MessageBox(h, self.driver.text(h), text))
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
