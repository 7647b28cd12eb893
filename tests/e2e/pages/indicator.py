"""The indicator of a running clock: its size, its pixels and the colours of
its segments, a drag with the real pointer, its popup menus, the tray icon's
tooltip and the box its close may show."""

from __future__ import annotations

import time

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from harness.xserver import xdotool

# Distinctive colours (COLORREF 0x00BBGGRR) the tests give the segments:
# background, time, date, memory, RAM.
BG, TIME, DATE, MEM, RAM = 0x301000, 0x00C0FF, 0xFF40C0, 0x40FF40, 0xC0C000
DISTINCT = (BG, TIME, DATE, MEM, RAM)
# The program's standard colours in the same order.
STANDARD = (0x000000, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xB4B4B4)
# The frame's light top and left edges and dark bottom and right ones.
LIGHT, DARK = 0xFFFFFF, 0x808080
POPUP_MENU_CLASS = "#32768"
# A place clear of Wine's tray window (top left) for pixel checks.
CLEAR_PLACE = {"X": 300, "Y": 200}


def colours_value(colours) -> str:
    """The [Colors] Colors value for five COLORREFs."""
    return ",".join(f"{c:06x}" for c in colours)


def indicator_settings(status: dict | None = None, language: str = "Eng", position: dict | None = CLEAR_PLACE,
                       colours=DISTINCT, font: dict | None = None) -> bytes:
    """A settings file for the indicator's looks: the [Status] keys after the
    language, the place, the five colours and, when given, a [Font]."""
    sections = {"Status": {"Language": language, **(status or {})}}
    if position is not None:
        sections["Position"] = position
    if colours is not None:
        sections["Colors"] = {"Colors": colours_value(colours)}
    if font is not None:
        sections["Font"] = font
    return settings_file(sections)


def columns_of(pixels: H.Pixels, colour: int) -> list[int]:
    """The x of every pixel in `colour`, row by row."""
    return [x for y in range(pixels.height) for x in range(pixels.width) if pixels.at(x, y) == colour]


def drag(display: str, start: tuple[int, int], by: tuple[int, int]):
    """A real left-button drag with the X pointer (xdotool)."""
    x, y = start
    xdotool(display, "mousemove", x, y)
    xdotool(display, "mousedown", 1)
    time.sleep(0.2)
    for step in (1, 2, 3, 4):
        xdotool(display, "mousemove", x + by[0] * step // 4, y + by[1] * step // 4)
        time.sleep(0.1)
    xdotool(display, "mouseup", 1)


def tray_tips(wine) -> list[str]:
    """Tooltip texts the shell holds for the tray's icons."""
    shell = wine.driver.find("Shell_TrayWnd")
    assert shell, "no shell tray window"
    tools = wine.driver.tooltips(wine.driver.pidof(shell), wine.tmp / "tips.txt")
    return [text for _tip, _window, _ident, text in tools if text.strip()]


class Indicator:
    """The indicator window of `clock`."""

    def __init__(self, clock: H.Clock):
        self.clock, self.driver, self.hwnd = clock, clock.driver, clock.hwnd

    def width(self) -> int:
        left, _, right, _ = self.clock.rect()
        return right - left

    def height(self) -> int:
        _, top, _, bottom = self.clock.rect()
        return bottom - top

    def size(self) -> tuple[int, int]:
        return self.width(), self.height()

    def sized(self, width: int | None = None):
        """The rectangle once the window has left the 3 x 3 of its creation
        (and has the expected width, when given)."""
        def ready():
            r = self.clock.rect()
            w = r[2] - r[0]
            return r if w > 3 and (width is None or w == width) else None
        return wait_for(ready, what=f"the indicator to be sized (width {width})")

    def painted(self):
        """Waits for the first ticks: sized to its text both ways, then a tick more."""
        H._wait_until(lambda: self.width() > 3 and self.height() > 3, 5,
                      what="the indicator to be sized to its text")
        time.sleep(1.2)

    def set_up(self):
        """Waits for the end of the window's set-up: the harness finds it as soon
        as it exists, before its WM_CREATE has run; it is shown after."""
        H._wait_until(lambda: self.clock.visible() or H.SC_RESTORE in self.clock.menu(), 5,
                      what="the indicator's set-up")

    def pixels(self, rect=None) -> H.Pixels:
        return self.driver.pixels(*(rect or self.clock.rect()))

    def colours(self) -> dict[int, int]:
        """The colours on the indicator now, with their pixel counts."""
        return self.pixels().colours()

    def sized_colours(self) -> set[int]:
        wait_for(lambda: self.width() > 3, what="the indicator sized")
        return set(self.colours())

    def wait_colours(self, shown, hidden):
        """Waits until the indicator shows every colour of `shown` and none of `hidden`."""
        def ok():
            c = self.sized_colours()
            return all(s in c for s in shown) and not any(h in c for h in hidden)
        wait_for(ok, what=f"indicator colours {[hex(s) for s in shown]} without {[hex(h) for h in hidden]}")

    def topmost(self) -> bool:
        return bool(self.driver.exstyle(self.hwnd) & H.WS_EX_TOPMOST)

    # popup menus
    def popup_menus(self) -> list[int]:
        return self.driver.visible_windows(POPUP_MENU_CLASS)

    def right_click_caption(self, x: int, y: int) -> int:
        """A right click at screen point x, y as a caption's (the whole window
        is one); the popup menu it opens."""
        self.clock.post(H.WM_NCRBUTTONDOWN, H.HTCAPTION, (y << 16) | x)
        return wait_for(self.popup_menus, what="the popup menu")[0]

    def right_click_tray_icon(self) -> int:
        """The tray icon's right click; the popup menu it opens."""
        self.clock.post(H.TRAY_CALLBACK, 1, H.WM_RBUTTONDOWN)
        return wait_for(self.popup_menus, what="the tray's popup menu")[0]

    def escape_popup(self, popup: int):
        self.driver.post(popup, H.WM_KEYDOWN, H.VK_ESCAPE, 0)
        wait_for(lambda: not self.popup_menus(), what="the popup menu to close")

    def close_to_box(self) -> H.MessageBox:
        """Posts a close that is to show one box; the box."""
        self.clock.post(H.WM_CLOSE)
        [box] = self.clock.wait_message_boxes(1)
        return box
