#!/usr/bin/env python3
"""What a user downloads: one zip per edition in dist/ with the program, the
user guide, the release notes (CHANGELOG.md, as CHANGELOG.txt) and the
licence. Run by scripts/build.sh after a full build.

The zips of one commit are the same bytes wherever they are made: entries in
a fixed order and with fixed attributes, each dated at the commit."""
import os, re, subprocess, sys, time, zipfile
from pathlib import Path
root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[1]
dist = root / "dist"
# Each edition's guide, shipped as USER-GUIDE.txt in that edition's zip.
editions = (("tikkano.exe", "2.7.1", root / "docs" / "USER-GUIDE.txt"),
            ("tikkano262.exe", "2.6.2", root / "docs" / "USER-GUIDE-2.6.2.txt"))


def names_program(guide, exe):
    return re.search(rf"(?<![\w.-]){re.escape(exe)}(?![\w.-])", guide) is not None


def release_time():
    """SOURCE_DATE_EPOCH when set, else the commit's time; a tree that is not a
    git checkout has the newest of its texts' times (a copy that keeps file
    times gives the same zips)."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", str(root), "log", "-1", "--format=%ct"],
                                  check=True, capture_output=True, text=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        texts = [root / "LICENSE.txt", root / "CHANGELOG.md", *(root / "docs").rglob("*.txt")]
        return int(max(text.stat().st_mtime for text in texts))


RELEASED = release_time()


def entry(name, mode):
    # Zip times have no zone and start in 1980.
    info = zipfile.ZipInfo(name, time.gmtime(max(RELEASED, 315532800))[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3  # Unix attributes, on every system that makes the zip
    info.external_attr = (0o100000 | mode) << 16
    return info


for exe, version, guide_source in editions:
    guide = guide_source.read_text(encoding="utf-8")
    # A user reads the guide to know what to start: it must name the program in
    # its zip and never the other edition's.
    others = [other for other, _, _ in editions if other != exe]
    if not names_program(guide, exe) or any(names_program(guide, other) for other in others):
        sys.exit(f"{guide_source} must name {exe} and no other edition's program")
    target = dist / f"tikkano-{version}-win32.zip"
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(entry(exe, 0o755), (dist / exe).read_bytes())
        # Windows line ends, so Notepad shows the texts right.
        for name, text in (("USER-GUIDE.txt", guide),
                           ("CHANGELOG.txt", (root / "CHANGELOG.md").read_text(encoding="utf-8")),
                           ("LICENSE.txt", (root / "LICENSE.txt").read_text(encoding="utf-8"))):
            z.writestr(entry(name, 0o644), text.replace("\n", "\r\n").encode("utf-8-sig"))
    print(target, target.stat().st_size)
