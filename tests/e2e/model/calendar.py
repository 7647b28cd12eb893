"""The calendar dialog: its controls, the texts it shows and the colours it
paints its buttons in."""

from model import Colour, Label, Text

HEADER = "src/calendar/calendar_ids.h"
PREFIX = "IDC_CAL_"
TEMPLATES = ("src/resources/calendar.rc",)

IDD_CALENDAR = 119

# Day buttons: week column w, weekday row r (Monday at the top) is DAY_FIRST + 7w + r.
DAY_FIRST = 1101
DAY_LAST = 1138
WEEKDAY_SUNDAY = 1200  # the weekday heads follow, Sunday first
WEEKDAY_SATURDAY = 1206
EVERY_DAY = 1300
MONTHLY = 1301
YEARLY = 1302
MONTH_BACK = 1053
MONTH_FORWARD = 1054
YEAR_BACK = 1055
YEAR_FORWARD = 1056
TODAY = 1057

WEEKDAY_HEADS = tuple(range(WEEKDAY_SUNDAY, WEEKDAY_SATURDAY + 1))  # Sunday first
DAY_BUTTONS = tuple(range(DAY_FIRST, DAY_LAST + 1))

TITLE_WORD = Text("Календарь", "Calendar")
TITLE_FORMAT = Text("%s ( %s %d )", "%s ( %s %d )")  # title word, month name, year
MONTH_BACK_TEXT = Text("Месяц <", "Month <")
MONTH_FORWARD_TEXT = Text("Месяц >", "Month >")
YEAR_BACK_TEXT = Text("Год <", "Year <")
YEAR_FORWARD_TEXT = Text("Год >", "Year >")
EVERY_DAY_TEXT = Text("День", "Day")
# These stay as the template has them in either language.
TODAY_LABEL = Label("Сегодня")
MONTHLY_LABEL = Label("Месяц")
YEARLY_LABEL = Label("Год")
OK_LABEL = Label("OK")

# A group button pressed with no day selected.
NO_DAY_CAPTION = Text("Будильник", "Будильник")
NO_DAY_MESSAGE = Text("Не выбран день!\nВыберите день с помощью правой кнопки мыши!",
                      "Не выбран день!\nВыберите день с помощью правой кнопки мыши!")

WEEKDAY_NAMES = (  # Sunday first
    Text("Вс", "Sun"), Text("Пн", "Mon"), Text("Вт", "Tue"), Text("Ср", "Wed"), Text("Чт", "Thu"),
    Text("Пт", "Fri"), Text("Сб", "Sat"))
MONTH_NAMES = (
    Text("Январь", "January"), Text("Февраль", "February"), Text("Март", "March"), Text("Апрель", "April"),
    Text("Май", "May"), Text("Июнь", "June"), Text("Июль", "July"), Text("Август", "August"),
    Text("Сентябрь", "September"), Text("Октябрь", "October"), Text("Ноябрь", "November"),
    Text("Декабрь", "December"))

# The fills of the owner-drawn buttons (COLORREF 0x00BBGGRR): no mark, today,
# a group with reminders, and both.
PLAIN, TODAY_MARK = Colour(0xC0C0C0), Colour(0xC0FFC0)
REMINDER_MARK, BOTH_MARKS = Colour(0xFFC0C0), Colour(0xFFFFC0)
# The upper-left edge of a raised button and of a sunken (selected or pressed) one.
RAISED_EDGE, SUNKEN_EDGE = Colour(0xFFFFFF), Colour(0x808080)
