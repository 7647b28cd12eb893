"""The driver's commands that read the screen and look inside processes."""

from __future__ import annotations

import time
from pathlib import Path

from .base import unix_to_wine_path
from .replies import Menu, MenuItem, Pixels, TextFit, _hx


class Probes:
    """Mixed into Driver: every method goes through its cmd()."""

    def pixel(self, x: int, y: int) -> int:
        """Colour at a screen point as a COLORREF, 0x00BBGGRR."""
        return int(self.cmd(f"pixel {x} {y}"), 16)

    def pixels(self, left: int, top: int, right: int, bottom: int) -> "Pixels":
        w, h, data = self.cmd(f"pixels {left} {top} {right} {bottom}", timeout=60).split(" ", 2)
        return Pixels(int(w), int(h), bytes.fromhex(data))

    def screen_size(self) -> tuple[int, int]:
        cx, cy, _, _ = (int(v) for v in self.cmd("screen").split())
        return cx, cy

    def monitors(self) -> tuple[int, list[tuple[int, int, int, int]]]:
        """(GetSystemMetrics(SM_CMONITORS), the rectangles EnumDisplayMonitors gives)."""
        count, *rects = self.cmd("monitors").split()
        return int(count), [tuple(int(v) for v in r.split(",")) for r in rects]

    def cursor(self, x: int, y: int):
        self.cmd(f"cursor {x} {y}")

    def display_mode(self, width: int, height: int):
        self.cmd(f"displaymode {width} {height}", timeout=60)

    # processes
    def _spy(self, command: str, pid: int, out_file: Path, timeout: float | None = None) -> Path:
        """Has the spy DLL answer `command` inside the process into out_file,
        removed first so that a stale answer is never read."""
        out_file = Path(out_file)
        out_file.unlink(missing_ok=True)
        self.cmd(f"{command} {pid} {unix_to_wine_path(out_file)}", timeout=timeout)
        return out_file

    def menu(self, pid: int, out_file: Path) -> Menu:
        out_file = self._spy("menu", pid, out_file)
        items = []
        for line in out_file.read_bytes().decode("utf-8").splitlines():
            ident, state, text = line.split("\t", 2)
            items.append(MenuItem(int(ident, 16), int(state, 16), text))
        return Menu(items)

    def tooltips(self, pid: int, out_file: Path) -> list[tuple[int, int, int, str]]:
        """Tools of every tooltip control of a process, read inside it by the
        spy DLL: (tooltip window, tool window, tool id, text)."""
        out_file = self._spy("tooltips", pid, out_file)
        tools = []
        for line in out_file.read_bytes().decode("utf-8").splitlines():
            tip, window, ident, text = line.split("\t", 3)
            tools.append((int(tip, 16), int(window, 16), int(ident, 16), text))
        return tools

    def heap_use(self, pid: int, out_file: Path) -> tuple[int, int]:
        """(bytes, blocks) in use in the process's Windows heaps, walked inside
        it by the spy DLL: what the program and the system DLLs it uses hold,
        without the pages Wine's Unix side maps, which PagefileUsage counts too."""
        out_file = self._spy("heapuse", pid, out_file)
        used, blocks = out_file.read_text().split()
        return int(used), int(blocks)

    def gdi_objects(self, pid: int, out_file: Path, reads: int = 1) -> int:
        """GDI objects the process holds (stock objects left out), counted
        inside it by the spy DLL: fonts, brushes, bitmaps, device contexts...
        A count rises while the program paints and holds a few for the
        moment: with several reads, the fewest counted (out_file keeps the
        last read's list by kind)."""
        counts = []
        for read in range(reads):
            if read:
                time.sleep(0.05)
            counts.append(int(self._spy("gdiobjects", pid, out_file).read_text().split()[0]))
        return min(counts)

    def fill_dc_cache(self, pid: int, out_file: Path) -> int:
        """Fills Wine's cache of window device contexts in the process, which
        otherwise grows now and then until full (see menuspy.cpp), so that
        its GDI object count stays still after a warm-up. Returns how many
        device contexts it held at once."""
        return int(self._spy("filldccache", pid, out_file).read_text())

    def watch_fonts(self, pid: int, out_file: Path):
        """From now on the process notes, at each message box it opens, how many
        device contexts still hold a font it selected (see menuspy.cpp)."""
        self.cmd(f"fontwatch {pid} {unix_to_wine_path(out_file)}")

    def post_many(self, hwnd: int, msg: int, wparam: int, lparam: int, count: int):
        self.cmd(f"postmany {_hx(hwnd)} {msg} {wparam} {lparam} {count}", timeout=120)

    def extent(self, text: str, face: str | None = None, height: int = 0) -> tuple[int, int]:
        """GetTextExtentPoint32A of an ANSI (cp1252) text in a screen DC, in the
        font `face` of `height` (None: the DC's own System font)."""
        hface = face.encode("cp1252").hex() if face else "-"
        htext = text.encode("cp1252").hex() or "-"
        cx, cy = self.cmd(f"extent {hface} {height} {htext}").split()
        return int(cx), int(cy)

    def move(self, hwnd: int, x: int, y: int):
        """SetWindowPos to (x, y), keeping size and z-order."""
        self.cmd(f"move {_hx(hwnd)} {x} {y}")

    def visible_windows(self, cls: str) -> list[int]:
        return [int(h, 16) for h in self.cmd(f"visiblewindows {cls}").split()]

    def watch(self, left: int, top: int, right: int, bottom: int, ms: int) -> tuple[int, list[tuple[float, float]]]:
        """Polls a screen region inside the driver for `ms` milliseconds; answers
        the number of polls and, for each change, the Unix times in ms of the
        last poll before it and of the poll that saw it."""
        words = self.cmd(f"watch {left} {top} {right} {bottom} {ms}", timeout=ms / 1000 + 60).split()
        changes = [tuple(float(v) for v in w.split(":")) for w in words[1:]]
        return int(words[0]), changes

    def procmem(self, pid: int) -> tuple[int, int]:
        """(PagefileUsage, WorkingSetSize) of a Windows process, in bytes."""
        pagefile, working_set, _peak = self.cmd(f"procmem {pid}").split()
        return int(pagefile), int(working_set)

    def peak_private(self, pid: int) -> int:
        """The most private bytes (PeakPagefileUsage) a Windows process has held."""
        return int(self.cmd(f"procmem {pid}").split()[2])

    def handles(self, pid: int) -> int:
        return int(self.cmd(f"handles {pid}").split()[0])

    def text_fits(self, pid: int, out_file: Path) -> dict[int, "TextFit"]:
        """The texts of every static and button of the process's shown dialogs,
        each measured inside the process in the control's own font."""
        # Every control of every shown dialog is measured: slow under emulation.
        out_file = self._spy("textfits", pid, out_file, timeout=90)
        fits = {}
        for line in out_file.read_text().splitlines():
            hwnd, *numbers = line.split("\t")
            fits[int(hwnd, 16)] = TextFit(*(int(v) for v in numbers))
        return fits

    def hold(self, path: Path):
        """Holds a file open without sharing it, as another program can: the
        clock's reads of it give the defaults and its writes fail."""
        self.cmd(f"hold {unix_to_wine_path(path)}")

    def release(self):
        self.cmd("release")

    def dpi(self) -> int:
        """LOGPIXELSY of the screen, as a DPI-aware program sees it."""
        return int(self.cmd("dpi"))

    def locale(self) -> tuple[int, int, int]:
        acp, oemcp, lcid = self.cmd("locale").split()
        return int(acp), int(oemcp), int(lcid, 16)
