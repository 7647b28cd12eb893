"""What a user downloads: one zip per edition, with the program as built, the
user guide in both languages and the licence."""

import struct
import xml.etree.ElementTree as ET
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
        # Not large-address-aware: the memory figures are those of a 2 GB process.
        assert not int.from_bytes(pe[22:24], "little") & 0x20
        check_manifest(manifest_of(program), version)
        assert version.encode("utf-16-le") in program
        guide = z.read("USER-GUIDE.txt").decode("utf-8-sig")
        assert "Horvik32.ini" in guide and "КАЛЕНДАРЬ" in guide and "\r\n" in guide
        # The guide of each zip tells the user to start the program that zip holds.
        assert exe in guide and f"Tikkano {version}" in guide
        assert "MIT License" in z.read("LICENSE.txt").decode("utf-8-sig")


RT_MANIFEST = 24


def manifest_of(program: bytes) -> bytes:
    """The manifest resource of a PE program, read through its resource directory."""
    pe = int.from_bytes(program[0x3C:0x40], "little")
    sections, optional_size = struct.unpack_from("<H12xH", program, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", program, optional)[0]
    rsrc_rva = struct.unpack_from("<I", program, optional + (96 if magic == 0x10B else 112) + 2 * 8)[0]
    table = [struct.unpack_from("<8xIIII", program, optional + optional_size + 40 * i) for i in range(sections)]

    def at(rva):
        for _size, address, raw_size, raw in table:
            if address <= rva < address + raw_size:
                return raw + rva - address
        raise AssertionError(f"RVA {rva:#x} lies in no section")

    base = at(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", program, base + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", program, base + directory + 16 + 8 * i)
            yield name, target

    types = dict(entries(0))
    assert RT_MANIFEST in types, "no manifest resource"
    directory = types[RT_MANIFEST] & 0x7FFFFFFF
    for _level in range(2):  # the manifest's number, then its language
        directory = next(entries(directory))[1] & 0x7FFFFFFF
    rva, size = struct.unpack_from("<II", program, base + directory)
    return program[at(rva):at(rva) + size]


def check_manifest(manifest: bytes, version: str):
    """What the manifest says to Windows: the program's version, DPI-aware, the
    supported systems, and no execution level, which would turn off the file
    virtualisation a 32-bit program without one gets (the 2.6.2 settings file lives in the Windows
    folder, and the program may run from a protected one)."""
    root = ET.fromstring(manifest)
    tags = {element.tag.split("}")[-1] for element in root.iter()}
    assert not tags & {"trustInfo", "requestedExecutionLevel"}, manifest
    assert {"assemblyIdentity", "supportedOS", "dpiAware"} <= tags
    assert [e.text for e in root.iter() if e.tag.endswith("dpiAware")] == ["true"]
    assert len([e for e in root.iter() if e.tag.endswith("supportedOS")]) == 5
    assert [e.get("version") for e in root.iter() if e.tag.endswith("assemblyIdentity")] == [f"{version}.0"]
