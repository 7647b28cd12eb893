#!/usr/bin/env python3
"""What a user downloads: one zip per edition in dist/ with the program, the
user guide and the licence. Run by scripts/build.sh after a full build."""
import sys, zipfile
from pathlib import Path
root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[1]
dist = root / "dist"
for exe, version in (("tikkano.exe", "2.7.1"), ("tikkano262.exe", "2.6.2")):
    target = dist / f"tikkano-{version}-win32.zip"
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
        z.write(dist / exe, exe)
        # Windows line ends, so Notepad shows the texts right.
        for name, source in (("USER-GUIDE.txt", root / "docs" / "USER-GUIDE.txt"),
                             ("LICENSE.txt", root / "LICENSE.txt")):
            z.writestr(name, source.read_text(encoding="utf-8").replace("\n", "\r\n").encode("utf-8-sig"))
    print(target, target.stat().st_size)
