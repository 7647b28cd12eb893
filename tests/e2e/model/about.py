"""The about dialog: its controls and the texts it shows (the description
lines and contact lines are the string table's: model.strings)."""

from model import Label, Text

HEADER = "src/dialogs/about_ids.h"
PREFIX = "IDC_ABOUT_"
TEMPLATES = ("src/resources/about.rc",)

IDD_ABOUT = 113
IDB_ABOUT = 127

NAME = 1057
AUTHOR_LABEL = 1058
AUTHOR = 1059
PLACE = 1060
MAIL = 1030
WEB = 1032
LINES = 1036
PICTURE = 1080

TITLE = Text("Об Авторе", "About")
NAME_TEXT = Text("Tikkano", "Tikkano")
AUTHOR_LABEL_TEXT = Text("Автор:", "Author:")
AUTHOR_TEXT = Text("Команда Tikkano", "The Tikkano team")
PLACE_TEXT = Text("Москва, 2001", "Moscow, 2001")
PLACE_EARLIER = Text("Москва, 2000", "Moscow, 2000")
OK_LABEL = Label("OK")

PICTURE_FILE = "src/resources/about.bmp"
