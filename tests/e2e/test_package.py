"""What a user downloads: one zip per edition, with the program as built, the
user guide in both languages, the release notes and the licence."""

import re
import struct
import xml.etree.ElementTree as ET
import zipfile

import pytest

from harness import REPO, RT_MANIFEST, RT_VERSION

SHIPPED = REPO / "dist"
RELEASE_HEAD = re.compile(r"^## Release (\d+) \((\d{4}-\d{2}-\d{2})\)$", re.MULTILINE)


def first_release(notes: str):
    """The release that the notes name first: its number and its date."""
    head = RELEASE_HEAD.search(notes)
    assert head, "the release notes name no release"
    return int(head[1]), head[2]


@pytest.mark.parametrize("version,exe", [("2.7.1", "tikkano.exe"), ("2.6.2", "tikkano262.exe")])
def test_each_edition_has_its_zip(version, exe):
    path = SHIPPED / f"tikkano-{version}-win32.zip"
    if not path.exists():
        pytest.skip(f"{path} is not built (scripts/build.sh makes it)")
    with zipfile.ZipFile(path) as z:
        assert sorted(z.namelist()) == sorted([exe, "USER-GUIDE.txt", "CHANGELOG.txt", "LICENSE.txt"])
        program = z.read(exe)
        assert program == (SHIPPED / exe).read_bytes()
        # A 32-bit GUI program carrying its manifest and its version.
        pe = program[int.from_bytes(program[0x3C:0x40], "little"):]
        assert pe[:4] == b"PE\0\0" and pe[4:6] == b"\x4c\x01"
        # Not large-address-aware: the memory figures are those of a 2 GB process.
        assert not int.from_bytes(pe[22:24], "little") & 0x20
        # The release notes of the tree, and the program's version naming the
        # release they name first, in the file's Properties and in its manifest.
        notes = z.read("CHANGELOG.txt").decode("utf-8-sig")
        assert "\r\n" in notes
        notes = notes.replace("\r\n", "\n")
        assert notes == (REPO / "CHANGELOG.md").read_text(encoding="utf-8")
        release, date = first_release(notes)
        numbers, strings = version_of(program)
        assert numbers == (*map(int, version.split(".")), release) * 2
        assert f"{version}.{release}".encode("utf-16-le") in strings
        assert f"{version}, release {release} ({date})".encode("utf-16-le") in strings
        check_manifest(resource_of(program, RT_MANIFEST), f"{version}.{release}")
        guide = z.read("USER-GUIDE.txt").decode("utf-8-sig")
        assert "Horvik32.ini" in guide and "КАЛЕНДАРЬ" in guide and "\r\n" in guide
        # The guide of each zip tells the user to start the program that zip holds.
        assert exe in guide and f"Tikkano {version}" in guide
        assert "MIT License" in z.read("LICENSE.txt").decode("utf-8-sig")


def version_of(program: bytes):
    """The file and product version numbers of a PE program's version resource
    (what Properties, Details shows), and the resource's bytes with its texts."""
    info = resource_of(program, RT_VERSION)
    # VS_VERSIONINFO: three words and "VS_VERSION_INFO", padded to 40 bytes,
    # then the fixed file information.
    assert info[6:38].decode("utf-16-le") == "VS_VERSION_INFO\0"
    signature, _struct, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", info, 40)
    assert signature == 0xFEEF04BD
    words = tuple(n for pair in (file_ms, file_ls, product_ms, product_ls) for n in (pair >> 16, pair & 0xFFFF))
    return words, info


def resource_of(program: bytes, kind: int) -> bytes:
    """The first resource of a type of a PE program, read through its resource directory."""
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
    assert kind in types, f"no resource of type {kind}"
    directory = types[kind] & 0x7FFFFFFF
    for _level in range(2):  # the resource's number, then its language
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
    assert [e.get("version") for e in root.iter() if e.tag.endswith("assemblyIdentity")] == [version]
