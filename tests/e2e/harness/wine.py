"""Wine: the cached ready prefix, and one session of it on an X server."""

from __future__ import annotations

import fcntl
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

from .base import CACHE, E2E_BIN, LOCALES, REPO, WINE_BITS, HarnessError, _run
from .driver import Driver
from .xserver import Xserver

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


