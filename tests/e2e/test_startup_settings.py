"""Start-up and the place of the settings file: what a fresh start writes, the
folder each edition reads and writes it in, a path as long as the profile
functions take, and an indicator that cannot be created. Proved on the real
programs with the real Windows profile functions; the settings logic itself
is proved by tests/app/settings_test.cpp."""

from __future__ import annotations

import subprocess

import pytest

import harness as H
from harness.settings_file import settings_file, utc_day_stamps
from harness.timezone import today
from pages.indicator import Indicator


@pytest.mark.parametrize("edition", ["271", "262"])
def test_fresh_start_then_close_writes_exactly_the_defaults(clocks, edition):
    day = today()
    clock = clocks.start(edition, local_time="10:20:05")
    assert clock.rect()[:2] == (150, 0)
    Indicator(clock).painted()
    assert clock.close() == 0
    raw = clock.ini_path.read_bytes()
    # The earlier edition writes no LastTime.
    stamps = utc_day_stamps("1020", day) if edition == "271" else {None}
    assert raw in {H.default_settings(stamp) for stamp in stamps}
    if edition == "271":
        assert clock.ini_path == clock.workdir / H.INI_NAME
        assert not (clocks.session.windows_dir / H.INI_NAME).exists()
    else:
        assert clock.ini_path == clocks.session.windows_dir / H.INI_NAME
        assert list(clock.workdir.iterdir()) == []
    assert not (H.DIST / H.INI_NAME).exists()


def test_each_working_directory_has_its_own_file(clocks, wine):
    # Two folders, neither the program's own: each start reads and writes the
    # file of the folder it was started in.
    first = clocks.start(ini=settings_file({"Position": {"X": 310, "Y": 220}}))
    second = clocks.start(ini=settings_file({"Position": {"X": 520, "Y": 330}}))
    assert first.workdir != second.workdir and first.workdir != H.DIST
    assert first.rect()[:2] == (310, 220)
    assert second.rect()[:2] == (520, 330)
    assert first.close() == 0 and second.close() == 0
    assert (first.ini()["Position"]["X"], first.ini()["Position"]["Y"]) == ("310", "220")
    assert (second.ini()["Position"]["X"], second.ini()["Position"]["Y"]) == ("520", "330")
    assert not (H.DIST / H.INI_NAME).exists()
    assert not (wine.windows_dir / H.INI_NAME).exists()


def test_earlier_edition_finds_the_windows_file_from_any_folder(clocks, wine):
    ini = settings_file({"Status": {"LastTime": "202001020304"}, "Position": {"X": 333, "Y": 222}})
    clock = clocks.start("262", ini=ini)
    assert clock.rect()[:2] == (333, 222)
    assert clock.close() == 0
    saved = clock.ini()
    # Not read, not written: the old stamp stays as it was.
    assert saved["Status"]["LastTime"] == "202001020304"
    assert saved.keys("Position") == ["X", "Y", "TrayStatus"]
    # A second start from another folder sees the same file.
    again = clocks.start("262")
    assert again.workdir != clock.workdir
    assert again.rect()[:2] == (333, 222)
    assert again.close() == 0
    assert list(clock.workdir.iterdir()) == [] and list(again.workdir.iterdir()) == []


def test_settings_path_as_long_as_the_profile_functions_take(clocks, wine):
    # The profile functions take a path of fewer than MAX_PATH (260)
    # characters; the directory is read whole, so the longest such path
    # works as any other. (Anything longer is refused by the system, and a
    # directory of more than MAX_PATH characters by Wine, which then starts
    # no program there at all.)
    longest = wine.tmp / "longest"
    while len(H.unix_to_wine_path(longest)) < 200:
        longest = longest / ("e" * 20)
    longest = longest / ("f" * (245 - len(H.unix_to_wine_path(longest))))
    assert len(H.unix_to_wine_path(longest / H.INI_NAME)) == 259
    clock = clocks.start(cwd=longest, ini=settings_file({"Status": {"Status": 1}}))
    assert clock.close() == 0
    saved = clock.ini()
    assert (saved["Status"]["Status"], "LastTime" in saved["Status"]) == ("1", True)


def test_indicator_that_cannot_be_created_ends_the_program(wine, clocks):
    # Decision (src/app/main.cpp): the owner's WM_CREATE fails, so the program
    # ends at once with 0 and no invisible owner keeps running. A global CBT
    # hook makes the creation of every HorvikClass window fail.
    driver = wine.driver
    exe = H.program("271")
    owners_before = set(driver.find_all(H.OWNER_CLASS))
    workdir = wine.new_workdir()
    driver.cmd("cbtblock")
    try:
        proc = subprocess.Popen(["wine", str(exe)], cwd=workdir, env=wine.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            assert proc.wait(15) == 0
        finally:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
    finally:
        driver.cmd("cbtunblock")
    assert set(driver.find_all(H.OWNER_CLASS)) == owners_before
    assert list(workdir.iterdir()) == []
    # With the hook gone the same start works.
    clock = clocks.start(cwd=workdir)
    assert clock.close() == 0
