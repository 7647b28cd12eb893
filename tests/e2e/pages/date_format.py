"""The date format dialog, which the clock settings open (ClockSettings.open_date_format)."""

from __future__ import annotations

from model import clock_settings as C
from model import date_format as D
from pages.dialog import Dialog


class DateFormat(Dialog):
    """The date format dialog."""

    @classmethod
    def opened_from(cls, settings: Dialog) -> "DateFormat":
        return cls(settings.clock, settings.open_child(C.DATE_FORMAT, "the date format dialog"))

    def pictures(self) -> list[str]:
        """The short date, long date and time pictures."""
        return [self.text(f) for f in D.PICTURES]
