#!/usr/bin/env python3
"""Fails when a file under src/ includes a file of a folder listed after its
own in src/layers.txt (an upward include, and so the start of a loop).

Usage: check_layers.py [repository root]
Includes written without a folder ("edition_choice.h") are found through the
edition folders on the programs' include path and count as `editions`.
"""

from __future__ import annotations

import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCES = {".h", ".cpp", ".rc"}


def read_layers(root: Path) -> list[str]:
    layers = []
    for line in (root / "src" / "layers.txt").read_text().splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            layers.append(line.split()[0])
    return layers


def folder_of_include(include: str, root: Path) -> str | None:
    if "/" in include:
        return include.split("/", 1)[0]
    if any((root / "src" / "editions").glob(f"*/{include}")):
        return "editions"
    return None  # beside the including file


def violations(root: Path) -> list[str]:
    layers = read_layers(root)
    rank = {name: i for i, name in enumerate(layers)}
    found = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in SOURCES:
            continue
        relative = path.relative_to(root / "src")
        folder = relative.parts[0]
        if folder not in rank:
            found.append(f"src/{relative}: its folder {folder!r} is not listed in src/layers.txt")
            continue
        for include in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = folder_of_include(include, root)
            if target is None or target == folder:
                continue
            if target not in rank:
                found.append(f"src/{relative}: includes \"{include}\" of the unlisted folder {target!r}")
            elif rank[target] > rank[folder]:
                found.append(f"src/{relative}: includes \"{include}\", but {target} stands above {folder}")
    return found


def main() -> int:
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[1])
    found = violations(root)
    for line in found:
        print(line)
    print(f"layers: {len(found)} include(s) against src/layers.txt" if found else "layers: every include points down")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
