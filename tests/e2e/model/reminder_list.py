"""The reminder list dialog, which the calendar's buttons open: its
controls, its titles and the boxes it shows (Russian in either language,
but for the boxes about the settings file)."""

from model import Label, Text

HEADER = "src/scheduler/reminder_list_ids.h"
PREFIX = "IDC_LIST_"
TEMPLATES = ("src/resources/reminder_list.rc",)

IDD_REMINDER_LIST = 125

LINES = 1068
ADD = 1069
CHANGE = 1070
DELETE = 1071

ADD_LABEL = Label("Добавить")
CHANGE_LABEL = Label("Изменить")
DELETE_LABEL = Label("Удалить")
OK_LABEL = Label("OK")
CANCEL_LABEL = Label("Отмена")

DATE_TITLE = Text("Будильник ( %d %s %dг., %s)", "Будильник ( %d %s %dг., %s)")  # day, month, year, weekday
WEEKDAY_TITLE = Text("Будильник на %s", "Будильник на %s")
EVERY_DAY_TITLE = Text("Будильник на каждый день", "Будильник на каждый день")
MONTHLY_TITLE = Text("Будильник на %d день любого месяца", "Будильник на %d день любого месяца")
YEARLY_TITLE = Text("Будильник на %d %s любого года", "Будильник на %d %s любого года")  # day, genitive month
MONTH_GENITIVES = tuple(Text(name, name) for name in (
    "января", "февраля", "марта", "апреля", "мая", "июня", "июля", "августа", "сентября", "октября",
    "ноября", "декабря"))

DELETE_CAPTION = Text("Строка планировщика", "Строка планировщика")
DELETE_QUESTION = Text("Удалить?", "Удалить?")
# A group longer than the program reads whole (shown under DELETE_CAPTION).
TOO_LONG = Text(
    "Эта группа напоминаний длиннее, чем программа может прочитать целиком (1 МБ).\n"
    "Её можно изменить только в файле Horvik32.ini.",
    "Эта группа напоминаний длиннее, чем программа может прочитать целиком (1 МБ).\n"
    "Её можно изменить только в файле Horvik32.ini.")
# OK could not write the group (under model.indicator's NOT_SAVED_CAPTION).
NOT_SAVED = Text(
    "Напоминания не записаны: в файл Horvik32.ini нельзя записать (его держит другая программа, "
    "папка закрыта для записи или диск полон).\nОсвободите файл и нажмите OK ещё раз или нажмите Отмена.",
    "The reminders were not saved: Horvik32.ini cannot be written (another program holds it, "
    "its folder cannot be written to, or the disk is full).\nFree the file and press OK again, or press Cancel.")
# The group could not be read: no list opens.
UNREADABLE = Text(
    "Файл Horvik32.ini сейчас нельзя прочитать (его держит другая программа). "
    "Список не открыт: его OK записал бы пустой список поверх напоминаний в файле.",
    "Horvik32.ini cannot be read now (another program holds it). "
    "The list is not opened: its OK would write an empty list over the reminders in the file.")
# OK in a Unicode file whose group holds letters the code page lacks.
UNICODE_KEPT = Text(
    "Напоминания не записаны: файл Horvik32.ini записан в Юникоде, и в этой группе есть буквы, "
    "которых нет в кодовой странице Windows. При записи они стали бы знаками «?» или похожими буквами.\n"
    "Нажмите Отмена; эту группу можно изменить в текстовом редакторе или сохранить файл в кодировке ANSI.",
    "The reminders were not saved: Horvik32.ini is a Unicode file, and this group holds letters that "
    "the Windows code page cannot hold. Saving would turn them into \"?\" or look-alike letters.\n"
    "Press Cancel; the group can be changed in a text editor, or the file saved in the ANSI encoding.")
