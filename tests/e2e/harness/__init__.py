"""End-to-end harness: runs the Tikkano programs under Wine on a private X
display and drives them through tikkano_driver.exe.

Pieces, from the bottom up:
  win32         Windows' own numbers: messages, styles, answers
  base          where things are (TIKKANO_DIST, TIKKANO_E2E_BIN, TIKKANO_SHOTS,
                TIKKANO_E2E_CACHE), the windows' classes and messages, waiting
  timezone      tz_for: the program's local time through TZ; local (a time today) and
                the start just before a minute boundary
  settings_file Ini (reading the file), settings_file (writing one), the golden defaults
  big_settings  files of 1 MiB and more
  xserver       Xvfb, or Xorg's dummy driver for several monitors
  driver        the line protocol of tikkano_driver.exe (probes: its screen and
                process commands; replies: what its answers become)
  wine          the cached ready prefix and WineSession, one session of it
  clock         Clock: one running copy of tikkano.exe / tikkano262.exe
  leaks         the one check that repeated work leaks neither memory nor GDI objects
  memory        the Linux side of a session's processes: CPU time, anonymous memory,
                and work repeated until those figures are still (benchmarks, soak)

The pages (tests/e2e/pages) sit on top: one per dialog and one for the indicator.
"""

from .base import *  # noqa: F401,F403
from .base import _wait_until  # noqa: F401
from .win32 import *  # noqa: F401,F403
from .clock import Clock, program  # noqa: F401
from .driver import Driver  # noqa: F401
from .replies import Menu, MenuItem, MessageBox, Pixels, TextFit  # noqa: F401
from .settings_file import GOLDEN_DEFAULTS, Ini, default_settings, ini_bytes  # noqa: F401
from .timezone import tz_for  # noqa: F401
from .wine import WineSession, ready_prefix, wine_base_env  # noqa: F401
from .xserver import Xserver, XorgMonitors, XorgUnavailable  # noqa: F401
