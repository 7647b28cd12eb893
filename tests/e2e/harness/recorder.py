"""tikkano_recorder.exe: a program a reminder starts, which logs where and how
it was started, so a test can tell what the clock ran."""

from __future__ import annotations

import shutil
from pathlib import Path

import pytest

from .base import E2E_BIN, _wait_until, unix_to_wine_path
from .settings_file import RUN
from .wine import WineSession


class Recorder:
    """A copy of tikkano_recorder.exe in a folder of its own."""

    def __init__(self, session: WineSession, name: str):
        source = E2E_BIN / "tikkano_recorder.exe"
        if not source.exists():
            pytest.skip(f"{source} is not built")
        self.folder = session.tmp / name
        self.folder.mkdir()
        self.exe = self.folder / "tikkano_recorder.exe"
        shutil.copy(source, self.exe)
        self.log = self.folder / "tikkano_recorder.log"

    @property
    def wine_path(self) -> str:
        return unix_to_wine_path(self.exe)

    def run_field(self, parameters: bytes) -> bytes:
        """A reminder's program field that starts this copy with `parameters`."""
        return self.wine_path.encode("cp1251") + RUN + parameters

    def runs(self, count=1, timeout=20.0) -> list[tuple[str, str, str]]:
        """(current directory, parameters, command line) of each run so far."""
        def read():
            if not self.log.exists():
                return None
            lines = self.log.read_bytes().decode("utf-8").splitlines()
            return lines if len(lines) >= count else None

        lines = _wait_until(read, timeout, what=f"{count} run(s) of {self.exe}")
        return [tuple(line.split("\t", 2)) for line in lines]


def same_folder(wine_dir: str, folder: Path) -> bool:
    """A Windows folder as a program saw it is the Linux `folder`."""
    return wine_dir.rstrip("\\").lower() == unix_to_wine_path(folder).rstrip("\\").lower()
