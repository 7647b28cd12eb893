"""Driving the calendar and the reminder list dialogs of a running clock:
finding them, pressing their buttons by posted commands, moving the calendar
to a month, selecting a day and reading the buttons' looks from the screen."""

from __future__ import annotations

import calendar as _cal
import datetime

import harness as H
from harness import wait_for

WM_SETCURSOR = 0x0020
WM_PAINT = 0x000F
BM_SETSTATE = 0x00F3
HTCLIENT = 1
LB_GETCURSEL = 0x0188
LB_SETCURSEL = 0x0186
LBN_DBLCLK = 2
IDM_CALENDAR = 113

DAY_FIRST, DAY_LAST = 1101, 1138
SUNDAY, SATURDAY = 1200, 1206
EVERY_DAY, MONTHLY, YEARLY = 1300, 1301, 1302
MONTH_BACK, MONTH_FORWARD, YEAR_BACK, YEAR_FORWARD, TODAY = 1053, 1054, 1055, 1056, 1057
LIST_LINES, LIST_ADD, LIST_CHANGE, LIST_DELETE = 1068, 1069, 1070, 1071

RUSSIAN_MONTHS = ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август", "Сентябрь",
                  "Октябрь", "Ноябрь", "Декабрь"]
ENGLISH_MONTHS = list(_cal.month_name)[1:]

PLAIN, TODAY_MARK, REMINDER_MARK, BOTH_MARKS = 0xC0C0C0, 0xC0FFC0, 0xFFC0C0, 0xFFFFC0
WHITE, GREY = 0xFFFFFF, 0x808080

DELETE_CAPTION, DELETE_QUESTION = "Строка планировщика", "Удалить?"
NO_DAY_CAPTION = "Будильник"
NO_DAY_TEXT = "Не выбран день!\nВыберите день с помощью правой кнопки мыши!"

NEVER = b"25: 0,never,\x83,;"  # an entry whose time never comes


def ini(alarm: dict[str, bytes] | None = None, language="Rus") -> bytes:
    lines = [b"[Status]", f"Language={language}".encode(), b"[Alarm]"]
    lines += [key.encode() + b"=" + value for key, value in (alarm or {}).items()]
    return b"\r\n".join(lines) + b"\r\n"


def date_key(day: datetime.date) -> str:
    return f"{day.day:02d}{day.month:02d}{day.year:04d}"


def day_button(day: int, month: int, year: int) -> int:
    """The button of a date: the first of the month in the row of its weekday."""
    return DAY_FIRST + datetime.date(year, month, 1).weekday() + day - 1


def alarm_value(clock, key: str) -> bytes | None:
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


def new_dialog(driver, owner: int, before: set[int], what: str) -> int:
    def fresh():
        found = [h for h in driver.owned(owner) if h not in before and driver.visible(h)]
        return found[0] if found else None
    return wait_for(fresh, what=what)


class Dialog:
    def __init__(self, clock, hwnd: int):
        self.clock, self.hwnd, self.driver = clock, hwnd, clock.driver

    def title(self) -> str:
        return self.driver.text(self.hwnd)

    def item(self, ident: int) -> int | None:
        return self.driver.dlgitem(self.hwnd, ident)

    def text(self, ident: int) -> str:
        return self.driver.text(self.item(ident))

    def press(self, ident: int):
        """A button click as the button reports it (posted: a dialog may open)."""
        self.driver.post(self.hwnd, H.WM_COMMAND, ident, self.item(ident) or 0)

    def owned(self) -> list[int]:
        return self.driver.owned(self.hwnd)

    def open_child(self, ident: int, what: str) -> int:
        before = set(self.owned())
        self.press(ident)
        return new_dialog(self.driver, self.hwnd, before, what)

    def gone(self) -> bool:
        return not self.driver.exists(self.hwnd)

    def close_with(self, ident: int):
        self.press(ident)
        wait_for(self.gone, what="the dialog to close")

    def box(self) -> H.MessageBox:
        """The one message box this dialog owns."""
        boxes = self.clock.wait_message_boxes(1, owner=self.hwnd)
        assert len(boxes) == 1, boxes
        return boxes[0]


class Calendar(Dialog):
    @classmethod
    def open(cls, clock, via="menu") -> "Calendar":
        before = set(clock.driver.owned(clock.hwnd))
        if via == "menu":
            clock.command(IDM_CALENDAR)
        else:  # a double-click on the tray icon
            clock.post(H.TRAY_CALLBACK, 0, H.WM_LBUTTONDBLCLK)
        return cls(clock, new_dialog(clock.driver, clock.hwnd, before, "the calendar"))

    def shown(self) -> tuple[int, int]:
        """(month, year) from the title, in either language."""
        inner = self.title().split("(", 1)[1].rsplit(")", 1)[0].split()
        name, year = inner[0], int(inner[1])
        months = RUSSIAN_MONTHS if name in RUSSIAN_MONTHS else ENGLISH_MONTHS
        return months.index(name) + 1, year

    def wait_shown(self, month: int, year: int):
        wait_for(lambda: self.shown() == (month, year), timeout=60, what=f"the calendar at {month}/{year}")

    def go_to(self, month: int, year: int):
        """Posts the year and month steps from the shown month to another one."""
        m, y = self.shown()
        steps = (year - y) * 12 + (month - m)
        years, months = divmod(abs(steps), 12)
        sign = 1 if steps >= 0 else -1
        for ident, count in ((YEAR_FORWARD if sign > 0 else YEAR_BACK, years),
                             (MONTH_FORWARD if sign > 0 else MONTH_BACK, months)):
            if count:
                self.driver.post_many(self.hwnd, H.WM_COMMAND, ident, self.item(ident), count)
        self.wait_shown(month, year)

    def tab_order(self) -> list[int]:
        """Control IDs in the order of the template, which is the tab order."""
        return [ident for _, ident, _ in self.driver.children(self.hwnd)]

    def days(self) -> dict[int, int]:
        """Shown day buttons: control ID -> day."""
        out = {}
        for ident in range(DAY_FIRST, DAY_LAST + 1):
            h = self.item(ident)
            if self.driver.visible(h):
                out[ident] = int(self.driver.text(h))
        return out

    def right_click(self, ident: int):
        """The right button going down over a button, as the button tells its dialog."""
        self.driver.send(self.hwnd, WM_SETCURSOR, self.item(ident), HTCLIENT | H.WM_RBUTTONDOWN << 16)

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

    def open_list(self, ident: int) -> "ReminderList":
        return ReminderList(self.clock, self.open_child(ident, f"the reminder list of button {ident}"))


class ReminderList(Dialog):
    def lines(self) -> list[str]:
        return self.driver.listbox_items(self.item(LIST_LINES))

    def selected(self) -> int:
        return self.driver.send(self.item(LIST_LINES), LB_GETCURSEL, 0, 0)

    def delete_first(self, answer: int):
        """Delete with the first line chosen; answers the question with `answer`."""
        count = len(self.lines())
        self.press(LIST_DELETE)
        box = self.box()
        assert (box.caption, box.text) == (DELETE_CAPTION, DELETE_QUESTION)
        self.clock.dismiss(box, answer)
        wait_for(lambda: len(self.lines()) == (count - 1 if answer == H.IDYES else count),
                 what="the list after Delete")
