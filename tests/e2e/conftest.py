"""pytest fixtures for the end-to-end tests.

  xserver    (session)  our own Xvfb display
  wine       (session)  a clean prefix, wineserver, helpers and the driver
  driver     (session)  wine.driver
  clocks     (function) starts clock programs; kills what is left at the end
  shot       (function) shot("name") saves a screenshot of the whole display
  desktop_wine (session) a second prefix whose programs run in a 1024x768
                        Wine virtual desktop (for screen-size changes)
  dpi144_wine  (session) a third prefix whose screen is set to 144 DPI
  monitors_wine (session) a prefix on Xorg's dummy driver, whose monitors xrandr
                        lays out (skipped where Xorg cannot start)
  desktop_clocks, dpi144_clocks, monitors_clocks (function) clocks in those sessions
"""

from __future__ import annotations

import re
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness  # noqa: E402


@pytest.fixture(scope="session")
def xserver():
    x = harness.Xserver()
    yield x
    x.stop()


@pytest.fixture(scope="session")
def wine(xserver):
    session = harness.WineSession(xserver)
    yield session
    session.stop()


@pytest.fixture(scope="session")
def desktop_wine(xserver):
    session = harness.WineSession(xserver, virtual_desktop="1024x768")
    yield session
    session.stop()


@pytest.fixture(scope="session")
def dpi144_wine(xserver):
    session = harness.WineSession(xserver, log_pixels=144)
    yield session
    session.stop()


@pytest.fixture(scope="session")
def xorg_monitors():
    try:
        x = harness.XorgMonitors()
    except harness.XorgUnavailable as e:
        pytest.skip(f"no display with several monitors here: {e}")
    yield x
    x.stop()


@pytest.fixture(scope="session")
def monitors_wine(xorg_monitors):
    session = harness.WineSession(xorg_monitors)
    yield session
    session.stop()


@pytest.fixture(scope="session")
def driver(wine):
    return wine.driver


class Clocks:
    """Starts clock programs in one session and cleans up after a test."""

    def __init__(self, session: harness.WineSession):
        self.session = session
        self.started: list[harness.Clock] = []

    def start(self, edition="271", **kw) -> harness.Clock:
        exe = harness.program(edition)
        if not exe.exists():
            pytest.skip(f"{exe} is not built")
        clock = harness.Clock.start(self.session, edition, **kw)
        self.started.append(clock)
        return clock

    def remove_windows_ini(self):
        # The earlier edition keeps its settings in C:\windows: no test may
        # see what an earlier test left there.
        (self.session.windows_dir / harness.INI_NAME).unlink(missing_ok=True)

    def cleanup(self):
        for clock in self.started:
            clock.kill()
        self.remove_windows_ini()


def _clocks(session):
    c = Clocks(session)
    c.remove_windows_ini()
    yield c
    c.cleanup()


@pytest.fixture
def clocks(wine):
    yield from _clocks(wine)


@pytest.fixture
def desktop_clocks(desktop_wine):
    yield from _clocks(desktop_wine)


@pytest.fixture
def dpi144_clocks(dpi144_wine):
    yield from _clocks(dpi144_wine)


@pytest.fixture
def monitors_clocks(monitors_wine):
    yield from _clocks(monitors_wine)


@pytest.fixture
def shot(xserver, request):
    """shot("what") saves <test name>-what.png under TIKKANO_SHOTS."""
    test = re.sub(r"[^A-Za-z0-9_.-]+", "_", request.node.name)

    def take(name: str) -> Path:
        return xserver.screenshot(harness.SHOTS / f"{test}-{name}.png")

    return take
