"""X servers of our own: Xvfb, or Xorg's dummy driver for several monitors."""

from __future__ import annotations

import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path
from typing import TYPE_CHECKING

from .base import TIMEOUT_SCALE, HarnessError, wait_for

if TYPE_CHECKING:
    from .driver import Driver


def xdotool(display: str, *args):
    """Real input on an X display: pointer moves, clicks, typed keys (xdotool)."""
    subprocess.run(["xdotool", *map(str, args)], env=dict(os.environ, DISPLAY=display), check=True, timeout=10,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


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


