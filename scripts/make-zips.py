#!/usr/bin/env python3
"""What a user downloads: one zip per edition in dist/ with the program, the
user guide and the licence. Run by scripts/build.sh after a full build."""
import re, sys, zipfile
from pathlib import Path
root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[1]
dist = root / "dist"
# Each edition's guide, shipped as USER-GUIDE.txt in that edition's zip.
editions = (("tikkano.exe", "2.7.1", root / "docs" / "USER-GUIDE.txt"),
            ("tikkano262.exe", "2.6.2", root / "docs" / "USER-GUIDE-2.6.2.txt"))


def names_program(guide, exe):
    return re.search(rf"(?<![\w.-]){re.escape(exe)}(?![\w.-])", guide) is not None


for exe, version, guide_source in editions:
    guide = guide_source.read_text(encoding="utf-8")
    # A user reads the guide to know what to start: it must name the program in
    # its zip and never the other edition's.
    others = [other for other, _, _ in editions if other != exe]
    if not names_program(guide, exe) or any(names_program(guide, other) for other in others):
        sys.exit(f"{guide_source} must name {exe} and no other edition's program")
    target = dist / f"tikkano-{version}-win32.zip"
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
        z.write(dist / exe, exe)
        # Windows line ends, so Notepad shows the texts right.
        for name, text in (("USER-GUIDE.txt", guide),
                           ("LICENSE.txt", (root / "LICENSE.txt").read_text(encoding="utf-8"))):
            z.writestr(name, text.replace("\n", "\r\n").encode("utf-8-sig"))
    print(target, target.stat().st_size)
