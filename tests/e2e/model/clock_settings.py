"""The clock settings dialog: its controls and the texts it shows."""

from model import Label, Text

HEADER = "src/dialogs/clock_settings_ids.h"
PREFIX = "IDC_CLOCK_"
TEMPLATES = ("src/resources/clock_settings.rc",)

IDD_CLOCK = 118

SHOW_TIME = 102
SHOW_DATE = 103
SHOW_MEMORY = 104
SHOW_RAM = 105
BACKGROUND = 111  # the colour buttons 111..115 follow the colour table's order
TIME_COLOUR = 112
DATE_COLOUR = 113
MEMORY_COLOUR = 114
RAM_COLOUR = 115
FONT = 1032
STANDARD = 1033
SYSTEM_FONT = 1037
BORDER = 1038
WHOLE_MINUTE = 1039
SHORT_DATE = 1040
CONTROL_PANEL = 1041
HEADS = 1061
DATE_FORMAT = 1064

CAPTION = Text("Часы", "Clock")
HEADS_TEXT = Text("Индикация            Цвет", "Indication              Color")
BORDER_TEXT = Text("Рамка", "Border")
SHOW_TIME_TEXT = Text("Время", "Time")
SHOW_DATE_TEXT = Text("Дата", "Date")
SHOW_MEMORY_TEXT = Text("Память", "Memory")
SHOW_RAM_TEXT = Text("ОЗУ", "RAM")
SHORT_DATE_TEXT = Text("Кр", "Sh")
STANDARD_TEXT = Text("Стандарт", "Standard")
BACKGROUND_TEXT = Text("Фон", "Back")
FONT_TEXT = Text("Шрифт", "Font")
WHOLE_MINUTE_TEXT = Text("00 сек", "00 sec")
CANCEL_TEXT = Text("Отмена", "Cancel")
DATE_FORMAT_TEXT = Text("Формат даты", "Format of date")
OK_LABEL = Label("OK")
SYSTEM_FONT_LABEL = Label("Sys")
CONTROL_PANEL_LABEL = Label("Set")
COLOUR_LABEL = Label("")  # the four colour buttons show their colour, no text

# The whole-minute button refused for want of the right to set the clock: the box's caption and text.
NOT_SET_CAPTION = CAPTION
NOT_SET_NO_RIGHT = Text(
    "Время не установлено: у программы нет права изменять системное время.\n"
    "Это право может запросить панель «Дата и время»: её открывает соседняя кнопка Set.",
    "The clock was not set: this program has no right to change the system time.\n"
    "The Date and Time control panel can ask for that right: the Set button next to this one opens it.")

# The check boxes of what the indicator shows, in the order of its segments.
SHOWN_BOXES = (SHOW_TIME, SHOW_DATE, SHOW_MEMORY, SHOW_RAM)
COLOUR_BUTTONS = (BACKGROUND, TIME_COLOUR, DATE_COLOUR, MEMORY_COLOUR, RAM_COLOUR)
