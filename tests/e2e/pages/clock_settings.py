"""The clock settings dialog, opened from the indicator's menu, with the
colour and font choosers it opens (Windows' own) and its date format dialog."""

from __future__ import annotations

import time

import harness as H
from model import common_dialogs as W
from harness import wait_for
from model import clock_settings as C
from model import menu as M
from pages.date_format import DateFormat
from pages.dialog import Dialog


class FontChooser(Dialog):
    """Windows' font chooser, owned by the settings dialog."""

    def face(self) -> str:
        return self.text(W.FONT_FACE_COMBO)

    def pick_size(self, size: str):
        """Picks a size from the chooser's list (a typed size loses to the
        list's selection on OK)."""
        combo = self.item(W.FONT_SIZE_COMBO)
        children = self.driver.children(self.hwnd)
        at = next(i for i, (h, _ident, _cls) in enumerate(children) if h == combo)
        sizes = next(h for h, _ident, cls in children[at + 1:] if cls == "ComboLBox")
        index = wait_for(lambda: size in self.driver.listbox_items(sizes) and self.driver.listbox_items(sizes).index(size),
                         what=f"size {size} in the chooser's list")
        self.driver.send(combo, H.CB_SETCURSEL, index)
        self.driver.post(self.hwnd, H.WM_COMMAND, H.CBN_SELCHANGE << 16 | W.FONT_SIZE_COMBO, combo)
        wait_for(lambda: self.driver.text(combo) == size, what="the size chosen")


class ColourChooser(Dialog):
    """Windows' colour chooser, owned by the settings dialog."""

    def type_rgb(self, rgb: tuple[int, int, int]):
        for field, value in zip((W.COLOUR_RED, W.COLOUR_GREEN, W.COLOUR_BLUE), rgb):
            self.set_text(field, str(value))

    def add_to_custom(self):
        self.press(W.COLOUR_ADD)

    def click_custom_slot(self, slot: int):
        """A click on custom colour `slot`: they lie in two rows of eight in the
        area of the custom colours control."""
        left, top, right, bottom = self.driver.rect(self.item(W.COLOUR_CUSTOM))
        cl, ct, _, _ = self.driver.client(self.hwnd)
        x = left - cl + (right - left) * (2 * (slot % 8) + 1) // 16
        y = top - ct + (bottom - top) * (2 * (slot // 8) + 1) // 4
        self.driver.post(self.hwnd, H.WM_LBUTTONDOWN, 1, (y << 16) | x)
        self.driver.post(self.hwnd, H.WM_LBUTTONUP, 0, (y << 16) | x)
        time.sleep(0.3)


class ClockSettings(Dialog):
    """The clock settings dialog."""

    @classmethod
    def open(cls, clock: H.Clock) -> "ClockSettings":
        """Opens it from the indicator's menu (a second one too, while one is open)."""
        return cls.opened_by(clock, clock.hwnd, lambda: clock.command(M.CLOCK), "the clock settings")

    def shown_boxes(self) -> tuple[int, ...]:
        """The check states of the time, date, memory and RAM boxes."""
        return tuple(self.checked(b) for b in C.SHOWN_BOXES)

    def set_shown_boxes(self, states):
        for b, state in zip(C.SHOWN_BOXES, states):
            self.set_checked(b, state)

    def colours_of(self, ident: int) -> dict[int, int]:
        """The colours a control shows, with their pixel counts."""
        return self.driver.pixels(*self.driver.rect(self.item(ident))).colours()

    def open_colour_chooser(self, button: int) -> ColourChooser:
        return ColourChooser(self.clock, self.open_child(button, "the colour chooser"))

    def open_font_chooser(self) -> FontChooser:
        return FontChooser(self.clock, self.open_child(C.FONT, "the font chooser"))

    def open_date_format(self) -> DateFormat:
        return DateFormat.opened_from(self)


def open_date_format(clock: H.Clock) -> tuple[ClockSettings, DateFormat]:
    """The clock settings opened from the menu and the date format dialog over them."""
    settings = ClockSettings.open(clock)
    return settings, settings.open_date_format()
