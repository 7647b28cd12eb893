"""The reminder edit dialog, which the reminder list's Add and Change open:
its controls, its labels and its refusals (Russian in either language)."""

from model import Label, Text

HEADER = "src/scheduler/reminder_edit_ids.h"
PREFIX = "IDC_EDIT_"
TEMPLATES = ("src/resources/reminder_edit.rc",)

IDD_REMINDER_EDIT = 126

HOUR = 1072
MINUTE = 1073
CHOOSE_SOUND = 1074
TEST_SOUND = 1075
TEXT = 1076
SOUND = 1077
PROGRAM = 1078
CHOOSE_PROGRAM = 1079
PARAMETERS = 1080

# The controls that take the focus, in the template's order (OK and Cancel follow).
FOCUS_ORDER = (HOUR, MINUTE, SOUND, CHOOSE_SOUND, TEST_SOUND, TEXT, PROGRAM, PARAMETERS, CHOOSE_PROGRAM)

CAPTION = Text("Будильник, установка", "Будильник, установка")  # the dialog's and its refusals'
TIME_LABEL = Label("Время:")
SOUND_LABEL = Label("Сигнал:")
TEXT_LABEL = Label("Текст:")
RUN_LABEL = Label("Запуск:")
PARAMETERS_LABEL = Label("Параметры:")
TEST_SOUND_LABEL = Label("Тест")
CANCEL_LABEL = Label("Отмена")
SOUND_CHOOSER_TITLE = Text("Звук", "Звук")
PROGRAM_CHOOSER_TITLE = Text("Запуск программы", "Запуск программы")

BAD_HOUR = Text("Час - число от 0 до 23.", "Час - число от 0 до 23.")
BAD_MINUTE = Text("Минуты - число от 0 до 59.", "Минуты - число от 0 до 59.")
LINE_BREAK_CODE = Text(  # %s: the character
    "Знак «%s» в тексте напоминания означает перевод строки: так его прочтёт любая версия часов.\n"
    "Уберите его. Новая строка - Ctrl+Enter.",
    "Знак «%s» в тексте напоминания означает перевод строки: так его прочтёт любая версия часов.\n"
    "Уберите его. Новая строка - Ctrl+Enter.")
UNSTORABLE_CHARACTER = Text(  # %s: the character
    "Знак «%s» в этом поле не сохранится в файле напоминаний. Уберите его.",
    "Знак «%s» в этом поле не сохранится в файле напоминаний. Уберите его.")
