"""The date format dialog: its controls and the texts it shows."""

from model import Label, Text

HEADER = "src/dialogs/date_format_ids.h"
PREFIX = "IDC_DATEFMT_"
TEMPLATES = ("src/resources/date_format.rc",)

IDD_DATE_FORMAT = 124

SHORT = 1029
LONG = 1030
TIME = 1031
SHORT_LABEL = 1099
LONG_LABEL = 1065
TIME_LABEL = 1066
SYSTEM = 1067

CAPTION = Text("Формат даты", "Format of date")
CANCEL_TEXT = Text("Отмена", "Cancel")
SHORT_LABEL_TEXT = Text("Краткий Формат:", "Short Format:")
LONG_LABEL_TEXT = Text("Полный Формат:", "Full Format:")
TIME_LABEL_TEXT = Text("Формат вмени:", "Time format:")
OK_LABEL = Label("OK")
SYSTEM_LABEL = Label("Sys")

PICTURES = (SHORT, LONG, TIME)
