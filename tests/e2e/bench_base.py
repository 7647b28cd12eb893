"""What the benchmarks (bench_clock.py and the modules it runs) share: the
small settings file a clock starts with, a session of their own, and working
folders holding a settings file of a given age."""

from __future__ import annotations

import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness as H  # noqa: E402
from harness.settings_file import settings_file  # noqa: E402

INI = settings_file({"Status": {"Status": 6, "Language": "Eng", "Key": 1}, "Position": {"X": 300, "Y": 200}})


def with_session(work):
    """work(session) in a Wine session on an X server of its own, both stopped after."""
    x = H.Xserver()
    session = None
    try:
        session = H.WineSession(x)
        return work(session)
    finally:
        if session:
            session.stop()
        x.stop()


def stamped_workdir(session, ini, seconds: float | None) -> Path:
    """A working folder holding the settings file, its time stamp moved by
    `seconds` (None: as just written)."""
    workdir = session.new_workdir()
    path = workdir / H.INI_NAME
    path.write_bytes(H.ini_bytes(ini))
    if seconds is not None:
        stamp = time.time() + seconds
        os.utime(path, (stamp, stamp))
    return workdir
