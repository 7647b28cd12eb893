"""Where things are, the constants of the windows under test, and waiting."""

from __future__ import annotations

import os
import subprocess
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]

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

# The clock's windows: its indicator, the hidden window that owns it, and the
# message its tray icon sends the indicator.
OWNER_CLASS = "Comdlg32WClass"
INDICATOR_CLASS = "HorvikClass"
TRAY_CALLBACK = 1032

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


def unix_to_wine_path(path: Path) -> str:
    """Wine maps the Unix root to drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")
