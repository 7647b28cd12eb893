"""The settings file when the system gets in the way: held by another program
at start-up, on a full disk, and a close whose save fails by running out of
memory."""

from __future__ import annotations

import errno
import os
import subprocess
from pathlib import Path

import pytest

import harness as H
from harness.settings_file import entry, settings_file, stamp
from harness.timezone import local
from pages.reminder_box import box_texts_in_turn, no_box_for

# The rest of a user's settings, after the reminders.
REST = {"Position": {"X": 400, "Y": 300}, "Colors": {"Colors": "102030,00ff00,00ffff,ffff00,b4b4b4"},
        "Font": {"Name": "Arial", "Size": -20}}


def test_a_file_held_at_start_is_taken_up_once_free_and_nothing_fires_twice(clocks, wine):
    """Held past the start-up's retry: the clock starts on the defaults, then,
    once the file is free, takes up its settings and catches up from its
    LastTime (the closing minute's reminder fired before that close). The close
    writes none of the defaults over the user's values."""
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 40, "Closing minute") + entry(10, 29, "Just before now") + entry(23, 0, "Tonight")}
    status = {"Status": "0", "Language": "Eng", "LastTime": stamp(now.replace(hour=9, minute=40))}
    workdir = wine.new_workdir()
    path = workdir / H.INI_NAME
    path.write_bytes(settings_file({"Status": status, "Alarm": alarm, **REST}))
    wine.driver.hold(path)
    try:
        clock = clocks.start(cwd=workdir, local_time=now)
        assert clock.rect()[:2] == (150, 0)
        assert clock.message_boxes() == []
    finally:
        wine.driver.release()

    H.wait_for(lambda: clock.rect()[:2] == (400, 300), what="the file's settings taken up")
    assert box_texts_in_turn(clock, 1) == ["10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0
    saved = clock.ini()
    assert (saved["Status"]["Status"], saved["Status"]["Language"]) == ("0", "Eng")
    assert (saved["Position"]["X"], saved["Position"]["Y"]) == ("400", "300")
    assert saved["Colors"]["Colors"] == "102030,00ff00,00ffff,ffff00,b4b4b4"
    assert (saved["Font"]["Name"], saved["Font"]["Size"]) == ("Arial", "-20")
    assert saved["Status"]["LastTime"] >= stamp(now)


def test_a_close_whose_save_runs_out_of_memory_saves_when_tried_again(clocks):
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}}), env={"TIKKANO_FAULT": "close-save:1:1"})
    clock.post(H.WM_CLOSE)
    [box] = clock.wait_message_boxes(1)
    assert box.text.startswith("The settings were not saved"), box.text
    clock.dismiss(box, H.IDRETRY)
    assert clock.wait_exit() == 0
    assert "LastTime" in clock.ini()["Status"]


def test_a_folder_in_the_settings_files_place_is_named_as_such(clocks, wine):
    """Where Horvik32.ini is a folder, the close that has something to save says
    so, instead of blaming a program that holds the file."""
    workdir = wine.new_workdir()
    (workdir / H.INI_NAME).mkdir()
    clock = clocks.start(cwd=workdir, local_time="11:12:30")
    clock.driver.move(clock.hwnd, 300, 200)
    clock.post(H.WM_CLOSE)
    [box] = clock.wait_message_boxes(1)
    assert box.text.startswith("Настройки не сохранены: на месте файла Horvik32.ini стоит папка"), box.text
    clock.dismiss(box, H.IDCANCEL)
    assert clock.wait_exit() == 0
    assert (workdir / H.INI_NAME).is_dir()


class FullDisk:
    """A Wine session of its own in a private mount namespace, in which a
    64 KiB file system is mounted: nothing is mounted on the machine itself."""

    def __init__(self, xserver):
        private = ["--user", "--map-root-user"] if os.geteuid() != 0 else []
        self.holder = subprocess.Popen(["unshare", *private, "--mount", "sleep", "infinity"])
        enter = ["nsenter", "-t", str(self.holder.pid), *(["-U", "--preserve-credentials"] if private else []),
                 "-m", "--"]
        # The namespace is there once the holder runs in it.
        H.wait_for(lambda: os.readlink(f"/proc/{self.holder.pid}/ns/mnt") != os.readlink("/proc/self/ns/mnt"),
                   what="the private mount namespace")
        self.session = None
        try:
            self.session = H.WineSession(xserver, launcher=enter)
            self.folder = self.session.tmp / "disk"
            self.folder.mkdir()
            subprocess.run([*enter, "mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", str(self.folder)], check=True)
        except BaseException:
            self.stop()
            raise

    def inside(self, path: Path) -> Path:
        """The path as the namespace sees it."""
        return Path(f"/proc/{self.holder.pid}/root") / path.relative_to("/")

    def fill(self):
        with open(self.inside(self.folder / "filler"), "wb", buffering=0) as filler:
            try:
                while True:
                    filler.write(b"\0" * 512)
            except OSError as e:
                assert e.errno == errno.ENOSPC, e

    def stop(self):
        if self.session:
            self.session.stop()
        self.holder.kill()
        self.holder.wait()


@pytest.fixture
def full_disk(xserver):
    disk = FullDisk(xserver)
    yield disk
    disk.stop()


@pytest.mark.parametrize("answer", ["cancel", "retry"])
def test_a_close_on_a_full_disk_keeps_the_file_whole_and_can_be_tried_again(full_disk, answer):
    """The close adds the keys the file lacks: on a full disk the profile
    functions would report success and cut the file at 4,096 bytes, losing the
    last reminders. The file stays as it was, and the close says so: Cancel
    ends with the file untouched; with room made, Retry saves it whole."""
    group = b"".join(entry(h, m, f"Reminder {h}:{m:02d}") for h in range(8, 20) for m in range(0, 60, 5))
    sections = {"Status": {"Language": "Eng"}, "Alarm": {"01012001": group}}
    # A last group that brings the file to 4,085 bytes.
    room = 4085 - len(settings_file(sections)) - len(b"Day=;\r\n")
    sections["Alarm"]["Day"] = b"x" * room + b";"
    content = settings_file(sections)
    assert len(content) == 4085
    settings = full_disk.inside(full_disk.folder / H.INI_NAME)
    settings.write_bytes(content)
    full_disk.fill()

    # Started in the file system's folder as the namespace sees it.
    clock = H.Clock.start(full_disk.session, cwd=full_disk.folder, local_time="11:12:30",
                          launcher=["sh", "-c", 'cd "$0" && exec "$@"', str(full_disk.folder)])
    try:
        clock.post(H.WM_CLOSE)
        [box] = clock.wait_message_boxes(1)
        assert box.text.startswith("The settings were not saved: Horvik32.ini cannot be written"), box.text
        assert settings.read_bytes() == content
        if answer == "retry":
            full_disk.inside(full_disk.folder / "filler").unlink()
        clock.dismiss(box, H.IDRETRY if answer == "retry" else H.IDCANCEL)
        assert clock.wait_exit() == 0
    finally:
        clock.kill()
    saved = settings.read_bytes()
    if answer == "cancel":
        assert saved == content
    else:
        ini = H.Ini(saved)
        assert ini["Status"]["LastTime"][-4:] in ("1112", "1113")
        # Every reminder kept (the profile functions drop the blank a value starts with).
        assert ini["Alarm"]["01012001"] == group.decode("cp1251").strip()
        assert ini["Alarm"]["Day"] == content.split(b"Day=")[1].decode("cp1251").strip()
