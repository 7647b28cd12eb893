"""What a user downloads: one zip per edition, with the program as built, the
user guide in both languages and the licence."""

import zipfile

import pytest

from harness import REPO

SHIPPED = REPO / "dist"


@pytest.mark.parametrize("version,exe", [("2.7.1", "tikkano.exe"), ("2.6.2", "tikkano262.exe")])
def test_each_edition_has_its_zip(version, exe):
    path = SHIPPED / f"tikkano-{version}-win32.zip"
    if not path.exists():
        pytest.skip(f"{path} is not built (scripts/build.sh makes it)")
    with zipfile.ZipFile(path) as z:
        assert sorted(z.namelist()) == sorted([exe, "USER-GUIDE.txt", "LICENSE.txt"])
        program = z.read(exe)
        assert program == (SHIPPED / exe).read_bytes()
        # A 32-bit GUI program carrying its manifest and its version.
        pe = program[int.from_bytes(program[0x3C:0x40], "little"):]
        assert pe[:4] == b"PE\0\0" and pe[4:6] == b"\x4c\x01"
        assert b"asInvoker" in program and b"dpiAware" in program
        assert version.encode("utf-16-le") in program
        guide = z.read("USER-GUIDE.txt").decode("utf-8-sig")
        assert "Horvik32.ini" in guide and "КАЛЕНДАРЬ" in guide and "\r\n" in guide
        assert "MIT License" in z.read("LICENSE.txt").decode("utf-8-sig")
