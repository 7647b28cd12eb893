"""The indicator's system menu: its commands and their texts."""

from model import Text

HEADER = "src/app/menu_ids.h"
PREFIX = "IDM_"

TOPMOST = 5
ABOUT = 111
CLOCK = 112
CALENDAR = 113
RUSSIAN = 1001
ENGLISH = 1002

CLOCK_TEXT = Text("Часы...", "Clock...")
CALENDAR_TEXT = Text("Календарь", "Calendar")
ABOUT_TEXT = Text("Об Авторе...", "About...")
TOPMOST_TEXT = Text("Всегда наверху", "Always on Top")
MINIMIZE_TEXT = Text("Свернуть", "Minimize")
RESTORE_TEXT = Text("Восстановить", "Restore")
RUSSIAN_TEXT = Text("Русский", "Русский")
ENGLISH_TEXT = Text("English", "English")
