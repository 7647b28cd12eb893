"""The reminder edit dialog, which the reminder list's Add and Change open
(ReminderList.open_edit), with the file choosers of its sound and program."""

from __future__ import annotations

import harness as H
from model import common_dialogs as W
from model import reminder_edit as E
from pages.dialog import Dialog


class FileChooser(Dialog):
    """Windows' file chooser, owned by the edit dialog."""

    def folder(self) -> str:
        """The folder it shows."""
        return self.text(W.FILE_FOLDER_COMBO)

    def choose(self, name: str):
        """Types a file name and takes it with OK."""
        self.set_text(W.FILE_NAME_COMBO, name)
        self.end(H.IDOK)


class ReminderEdit(Dialog):
    """A shown reminder edit dialog."""

    def fill(self, values: dict[int, str]):
        """Types each field's text: {E.HOUR: "9", ...}."""
        for ident, value in values.items():
            self.set_text(ident, value)

    def fields(self, idents) -> dict[int, str]:
        return {ident: self.text(ident) for ident in idents}

    def selection(self, ident: int) -> tuple[int, int]:
        """(start, end) of the selection in an edit field."""
        both = self.driver.send(self.item(ident), H.EM_GETSEL)
        return both & 0xFFFF, both >> 16

    def refusal(self) -> H.MessageBox:
        """OK pressed on what cannot be stored: the box it shows, the dialog staying."""
        self.press(H.IDOK)
        (box,) = self.clock.wait_message_boxes(1, owner=self.hwnd)
        assert box.caption == E.CAPTION.russian
        return box

    def open_chooser(self, button: int) -> FileChooser:
        """The file chooser of the sound (E.CHOOSE_SOUND) or the program (E.CHOOSE_PROGRAM)."""
        title = E.SOUND_CHOOSER_TITLE if button == E.CHOOSE_SOUND else E.PROGRAM_CHOOSER_TITLE
        return FileChooser(self.clock, self.open_child(button, f"the chooser {title.russian!r}", title.russian))
