"""The about dialog, opened from the indicator's menu: its description
lines, their scroll extent and its picture as the screen shows it."""

from __future__ import annotations

import struct

import harness as H
from model import about as A
from model import menu as M
from pages.dialog import Dialog


def about_picture() -> list[list[int]]:
    """The about bitmap as COLORREF rows, top row first."""
    data = (H.REPO / A.PICTURE_FILE).read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, _planes, bits, _compression, _image, _x, _y, used = struct.unpack_from("<IiiHHIIiiI", data, 14)
    assert (width, height, bits, used) == (75, 56, 8, 250)
    palette = [struct.unpack_from("<BBBB", data, 14 + size + 4 * i) for i in range(used)]
    stride = (width + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + width]
        rows.append([palette[i][2] | palette[i][1] << 8 | palette[i][0] << 16 for i in row])
    return rows


class About(Dialog):
    """The about dialog."""

    @classmethod
    def open(cls, clock: H.Clock) -> "About":
        return cls.opened_by(clock, clock.hwnd, lambda: clock.command(M.ABOUT), "the about dialog")

    def lines(self) -> list[str]:
        return self.driver.listbox_items(self.item(A.LINES))

    def horizontal_extent(self) -> int:
        return self.driver.send(self.item(A.LINES), H.LB_GETHORIZONTALEXTENT)

    def picture_shown(self, rows: list[list[int]]) -> bool:
        """Whether the screen shows `rows` at the picture frame's top-left corner."""
        left, top, _, _ = self.driver.client(self.item(A.PICTURE))
        shown = self.driver.pixels(left, top, left + len(rows[0]), top + len(rows))
        return all(shown.at(x, y) == colour for y, row in enumerate(rows) for x, colour in enumerate(row))
