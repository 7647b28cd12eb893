"""The calendar, opened from the indicator's menu, its tray icon or its
caption: moving it to a month, selecting a day, pressing its buttons and
reading their looks from the screen; the reminder lists its buttons open."""

from __future__ import annotations

import datetime

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from model import calendar as C
from model import menu as M
from pages.dialog import Dialog
from pages.reminder_list import ReminderList


def calendar_settings(groups: dict | None = None, language: str = "Rus") -> bytes:
    """A settings file of the interface language and the reminder groups given."""
    return settings_file({"Status": {"Language": language}, "Alarm": groups or {}})


def day_button(day: datetime.date) -> int:
    """The button of a date: the first of the month in the row of its weekday."""
    return C.DAY_FIRST + day.replace(day=1).weekday() + day.day - 1


def title_of(month: int, year: int, language: str) -> str:
    """The calendar's title at a month, for a settings file's Language."""
    return C.TITLE_FORMAT.in_language(language) % (C.TITLE_WORD.in_language(language),
                                                    C.MONTH_NAMES[month - 1].in_language(language), year)


def tab_order(days=C.DAY_BUTTONS, edition: str = "271") -> list[int]:
    """The controls in the template's order, which is the tab order, with the
    day buttons `days` (all of them in the template, the shown ones for Tab)."""
    order = [H.IDOK, *C.WEEKDAY_HEADS[1:], C.WEEKDAY_SUNDAY, *days, C.MONTH_BACK, C.MONTH_FORWARD,
             C.YEAR_BACK, C.YEAR_FORWARD, C.EVERY_DAY, C.TODAY]
    return order + ([C.MONTHLY, C.YEARLY] if edition == "271" else [])


def next_month(month: int, year: int) -> tuple[int, int]:
    return (1, year + 1) if month == 12 else (month + 1, year)


class Calendar(Dialog):
    """A shown calendar."""

    OPENERS = {
        "menu": lambda clock: clock.command(M.CALENDAR),
        "tray": lambda clock: clock.post(H.TRAY_CALLBACK, 0, H.WM_LBUTTONDBLCLK),  # a double-click on the icon
        "caption": lambda clock: clock.post(H.WM_NCLBUTTONDBLCLK, H.HTCAPTION, 0),  # on the indicator
    }

    @classmethod
    def open(cls, clock: H.Clock, via: str = "menu") -> "Calendar":
        """Opens a calendar (another one too, while one is open)."""
        return cls.opened_by(clock, clock.hwnd, lambda: cls.OPENERS[via](clock), "the calendar")

    def has(self, ident: int) -> bool:
        return bool(self.driver.dlgitem(self.hwnd, ident))

    def command_without_button(self, ident: int):
        """The command of a button this calendar may lack (posted, no control behind it)."""
        self.driver.post(self.hwnd, H.WM_COMMAND, ident, 0)

    def press_many(self, ident: int, count: int):
        """`count` presses of a button, posted at once."""
        self.driver.post_many(self.hwnd, H.WM_COMMAND, ident, self.item(ident), count)

    def shown(self) -> tuple[int, int]:
        """(month, year) from the title, in either language."""
        inner = self.title().split("(", 1)[1].rsplit(")", 1)[0].split()
        name, year = inner[0], int(inner[1])
        names = [n for month in C.MONTH_NAMES for n in month]  # Russian, English of each month in turn
        return names.index(name) // 2 + 1, year

    def wait_shown(self, month: int, year: int):
        wait_for(lambda: self.shown() == (month, year), timeout=60, what=f"the calendar at {month}/{year}")

    def go_to(self, month: int, year: int):
        """Posts the year and month steps from the shown month to another one."""
        m, y = self.shown()
        steps = (year - y) * 12 + (month - m)
        years, months = divmod(abs(steps), 12)
        forward = steps >= 0
        for ident, count in ((C.YEAR_FORWARD if forward else C.YEAR_BACK, years),
                             (C.MONTH_FORWARD if forward else C.MONTH_BACK, months)):
            if count:
                self.press_many(ident, count)
        self.wait_shown(month, year)

    def tab_order(self) -> list[int]:
        """Control IDs in the order of the template, which is the tab order."""
        return [ident for _, ident, _ in self.driver.children(self.hwnd)]

    def days(self) -> dict[int, int]:
        """Shown day buttons: control ID -> day."""
        out = {}
        for ident in C.DAY_BUTTONS:
            h = self.item(ident)
            if self.driver.visible(h):
                out[ident] = int(self.driver.text(h))
        return out

    def right_click(self, ident: int):
        """The right button going down over a button, as the button tells its
        dialog (sent: handled when the call returns)."""
        self.driver.send(self.hwnd, H.WM_SETCURSOR, self.item(ident), H.HTCLIENT | H.WM_RBUTTONDOWN << 16)

    def set_pressed(self, ident: int, pressed: bool):
        """A button held down by the left button, or let go."""
        self.driver.send(self.item(ident), H.BM_SETSTATE, int(pressed), 0)

    def look(self, ident: int) -> tuple[int, int]:
        """(fill colour, colour of the upper-left edge) of an owner-drawn button."""
        left, top, right, bottom = self.driver.rect(self.item(ident))
        pixels = self.driver.pixels(left, top, right, bottom)
        counts = pixels.colours()
        return max(counts, key=counts.get), pixels.at(1, 1)

    def wait_look(self, ident: int, fill: int, edge: int | None = None):
        def right():
            got = self.look(ident)
            return got[0] == fill and (edge is None or got[1] == edge)
        wait_for(right, what=f"button {ident} drawn {fill:06x}/{edge}")

    def focus_dots(self, ident: int) -> int:
        """Pixels of a button in the colour of a focus frame over its fill: the
        frame inverts every other pixel."""
        left, top, right, bottom = self.driver.rect(self.item(ident))
        counts = self.driver.pixels(left, top, right, bottom).colours()
        fill = max(counts, key=counts.get)
        return counts.get(fill ^ 0xFFFFFF, 0)

    def no_day_box(self) -> H.MessageBox:
        """The box a group button shows with no day selected, checked and still open."""
        box = self.box()
        assert (box.caption, box.text) == (C.NO_DAY_CAPTION.russian, C.NO_DAY_MESSAGE.russian)
        return box

    def open_list(self, ident: int) -> ReminderList:
        return ReminderList(self.clock, self.open_child(ident, f"the reminder list of button {ident}"))
