"""What every dialog page does: be found once shown, find and press its
controls, read their texts and check marks, open a dialog it owns, end."""

from __future__ import annotations

import harness as H
from harness import wait_for


def shown_or_gone(driver, hwnd: int) -> bool:
    try:
        return driver.visible(hwnd)
    except H.DriverError:
        return False  # closed meanwhile


def new_owned_window(driver, owner: int, before: set[int], what: str, caption: str | None = None) -> int:
    """A window `owner` owns that was not in `before`, once shown: a dialog
    shows after its WM_INITDIALOG has filled its controls."""
    def fresh():
        for h in driver.owned(owner):
            if h not in before and shown_or_gone(driver, h) and (caption is None or driver.text(h) == caption):
                return h
        return None
    return wait_for(fresh, what=what)


class Dialog:
    """A shown dialog of a running clock."""

    def __init__(self, clock: H.Clock, hwnd: int):
        self.clock, self.hwnd, self.driver = clock, hwnd, clock.driver

    @classmethod
    def opened_by(cls, clock: H.Clock, owner: int, action, what: str, caption: str | None = None):
        """Runs `action` (which posts what opens the dialog) and waits for the dialog."""
        before = set(clock.driver.owned(owner))
        action()
        return cls(clock, new_owned_window(clock.driver, owner, before, what, caption))

    def title(self) -> str:
        return self.driver.text(self.hwnd)

    def item(self, ident: int) -> int:
        h = self.driver.dlgitem(self.hwnd, ident)
        assert h, f"no control {ident} in dialog {self.title()!r}"
        return h

    def text(self, ident: int) -> str:
        return self.driver.text(self.item(ident))

    def set_text(self, ident: int, text: str):
        self.driver.set_text(self.item(ident), text)

    def checked(self, ident: int) -> int:
        return self.driver.check(self.item(ident))

    def set_checked(self, ident: int, state: int):
        self.driver.send(self.item(ident), H.BM_SETCHECK, state)

    def enabled(self, ident: int) -> bool:
        return self.driver.enabled(self.item(ident))

    def press(self, ident: int):
        """A button click as the button reports it (posted: a dialog may open)."""
        self.driver.post(self.hwnd, H.WM_COMMAND, ident, self.item(ident))

    def owned(self) -> list[int]:
        return self.driver.owned(self.hwnd)

    def open_child(self, ident: int, what: str, caption: str | None = None) -> int:
        """Presses a button that opens a window this dialog owns; its handle."""
        before = set(self.owned())
        self.press(ident)
        return new_owned_window(self.driver, self.hwnd, before, what, caption)

    def gone(self) -> bool:
        return not self.driver.exists(self.hwnd)

    def end(self, answer: int = H.IDOK):
        """Ends the dialog as its OK or Cancel would (lParam 0: the keyboard's
        Enter or Escape, which reach a dialog the same way) and waits until it is gone."""
        self.driver.post(self.hwnd, H.WM_COMMAND, answer, 0)
        wait_for(self.gone, what="the dialog to close")

    def close_with(self, ident: int):
        """Presses a button that ends the dialog and waits until it is gone."""
        self.press(ident)
        wait_for(self.gone, what="the dialog to close")

    def box(self) -> H.MessageBox:
        """The one message box this dialog owns."""
        boxes = self.clock.wait_message_boxes(1, owner=self.hwnd)
        assert len(boxes) == 1, boxes
        return boxes[0]
