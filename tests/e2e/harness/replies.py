"""What the driver's answers are turned into: menus, message boxes, text fits, pixels."""

from __future__ import annotations

import hashlib
from dataclasses import dataclass

from .win32 import MF_CHECKED, MF_SEPARATOR


def _hx(h: int) -> str:
    return hex(h)


def _text(hexutf8: str) -> str:
    return bytes.fromhex(hexutf8).decode("utf-8") if hexutf8 else ""


@dataclass
class MenuItem:
    id: int
    state: int
    text: str

    @property
    def checked(self) -> bool:
        return bool(self.state & MF_CHECKED)

    @property
    def separator(self) -> bool:
        return bool(self.state & MF_SEPARATOR)


class Menu:
    """Items of a system menu in order; menu[command] looks an item up by its
    command id (KeyError when there is none), so Wine's extra items and the
    positions of separators do not matter."""

    def __init__(self, items: list[MenuItem]):
        self.items = items

    def __getitem__(self, command: int) -> MenuItem:
        item = self.get(command)
        if item is None:
            raise KeyError(f"no menu item with command {command:#x} in {self.items}")
        return item

    def get(self, command: int) -> MenuItem | None:
        for item in self.items:
            if item.id == command and not item.separator:
                return item
        return None

    def __contains__(self, command: int) -> bool:
        return self.get(command) is not None

    def __iter__(self):
        return iter(self.items)

    def __len__(self):
        return len(self.items)

    def ids(self) -> list[int]:
        return [item.id for item in self.items if not item.separator]

    def __repr__(self):
        return f"Menu({self.items!r})"


@dataclass
class MessageBox:
    hwnd: int
    caption: str
    text: str


@dataclass
class TextFit:
    """What a control's text needs, in its own font, against its client area."""
    width: int           # on one line
    height: int          # of one line
    wrapped_width: int   # broken into lines at the client width (wider: a word too long)
    wrapped_height: int
    client_width: int
    client_height: int
    font_height: int     # lfHeight of the control's font


class Pixels:
    """A screen region: width, height and R, G, B bytes, top-down."""

    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x: int, y: int) -> int:
        """Colour of a pixel of the region as a COLORREF, 0x00BBGGRR."""
        i = (y * self.width + x) * 3
        r, g, b = self.rgb[i:i + 3]
        return r | g << 8 | b << 16

    def colours(self) -> dict[int, int]:
        """COLORREF -> number of pixels of that colour."""
        counts: dict[int, int] = {}
        for i in range(0, len(self.rgb), 3):
            r, g, b = self.rgb[i:i + 3]
            c = r | g << 8 | b << 16
            counts[c] = counts.get(c, 0) + 1
        return counts

    def digest(self) -> str:
        return hashlib.sha1(self.rgb).hexdigest()[:16]

    def __eq__(self, other):
        return isinstance(other, Pixels) and (self.width, self.height, self.rgb) == (
            other.width, other.height, other.rgb)


