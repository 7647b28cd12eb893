"""The reminder list of one group, which the calendar's buttons open
(Calendar.open_list): its lines, Add, Change and Delete, and what its OK
wrote into the settings file."""

from __future__ import annotations

import datetime

import harness as H
from harness import wait_for
from harness.settings_file import entry
from model import calendar as C
from model import reminder_edit as E
from model import reminder_list as R
from pages.dialog import Dialog
from pages.reminder_edit import ReminderEdit

NEVER = entry(25, 0, "never")  # an entry whose time never comes


def stored_group(clock: H.Clock, key: str) -> bytes | None:
    """The raw bytes of a key of section Alarm, as the file holds them now."""
    raw = clock.ini_path.read_bytes()
    assert not raw.startswith((b"\xff\xfe", b"\xef\xbb\xbf")), "the settings file is no longer ANSI"
    in_alarm = False
    for line in raw.split(b"\r\n"):
        if line.startswith(b"["):
            in_alarm = line.strip() == b"[Alarm]"
        elif in_alarm and line.partition(b"=")[0].strip() == key.encode():
            return line.partition(b"=")[2]
    return None


def title_for(kind: str, day: datetime.date) -> str:
    """The title of the list of a day's group of `kind` (the kinds of
    harness.settings_file.group_keys); Russian in either language."""
    weekday = C.WEEKDAY_NAMES[(day.weekday() + 1) % 7].russian
    return {
        "date": lambda: R.DATE_TITLE.russian % (day.day, C.MONTH_NAMES[day.month - 1].russian, day.year, weekday),
        "weekday": lambda: R.WEEKDAY_TITLE.russian % weekday,
        "every day": lambda: R.EVERY_DAY_TITLE.russian,
        "monthly": lambda: R.MONTHLY_TITLE.russian % day.day,
        "yearly": lambda: R.YEARLY_TITLE.russian % (day.day, R.MONTH_GENITIVES[day.month - 1].russian),
    }[kind]()


class ReminderList(Dialog):
    """A shown reminder list."""

    def lines(self) -> list[str]:
        return self.driver.listbox_items(self.item(R.LINES))

    def selected(self) -> int:
        return self.driver.send(self.item(R.LINES), H.LB_GETCURSEL, 0, 0)

    def select(self, index: int):
        """Chooses a line (-1: none)."""
        self.driver.send(self.item(R.LINES), H.LB_SETCURSEL, index, 0)

    def delete(self, answer: int):
        """Delete on the chosen line (the first with none chosen); answers its
        question with `answer` and waits for the list to show the answer."""
        count = len(self.lines())
        self.press(R.DELETE)
        box = self.box()
        assert (box.caption, box.text) == (R.DELETE_CAPTION.russian, R.DELETE_QUESTION.russian)
        self.clock.dismiss(box, answer)
        wait_for(lambda: len(self.lines()) == (count - 1 if answer == H.IDYES else count),
                 what="the list after Delete")

    def open_edit(self, button: int = R.ADD) -> ReminderEdit:
        """The edit dialog that Add or Change opens."""
        return self._edit_opened_by(lambda: self.press(button))

    def open_edit_by_double_click(self) -> ReminderEdit:
        """The edit dialog a double-click on the chosen line opens, as Change does."""
        return self._edit_opened_by(lambda: self.driver.post(self.hwnd, H.WM_COMMAND, R.LINES | H.LBN_DBLCLK << 16,
                                                             self.item(R.LINES)))

    def _edit_opened_by(self, action) -> ReminderEdit:
        return ReminderEdit.opened_by(self.clock, self.hwnd, action, "the reminder edit dialog", E.CAPTION.russian)
