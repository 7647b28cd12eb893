"""The string table: the maker's contact lines and the about dialog's
description, 24 lines per language at (language + 10) * 1000 + line, each
edition its own."""

from model import Label

HEADER = "src/dialogs/string_ids.h"
PREFIX = "IDS_"
TEMPLATES = ("src/editions/clock271/about_strings.rc", "src/editions/earlier262/earlier_about_strings.rc")

CONTACT_MAIL = 2
CONTACT_WEB = 3
ABOUT_LINES = 10000
ABOUT_LINE_COUNT = 24

MAIL = Label("tikkano@example.org")
WEB = Label("www.tikkano.example.org")
WEB_EARLIER = Label("www.tikkano.example.org/2.6")

ENGLISH_VERSION = Label("Version 2.7.1.")
ENGLISH_VERSION_EARLIER = Label("Version 2.6.2")
ENGLISH_LINE_2 = Label("Please wait. Soon I'll write about my new Tikkano.")
BLANK = Label(" ")  # every other English line, and Russian line 20 of the clock program

RUSSIAN_VERSION = Label("Версия 2.7.1.  НОВОЕ:  1. Файл настроек теперь в рабочей папке программы.")
RUSSIAN_LINE_2 = Label("Tikkano, которые удобно лежат на вашем рабочем столе. ")
RUSSIAN_LINE_10 = Label(" Кнопки  календарика запускают  настройку планировщика (напоминалки). ")
RUSSIAN_LAST_LINE = Label("Пользуйтесь на здоровье.     Жду писем.")  # both editions'
RUSSIAN_VERSION_EARLIER = Label('Версия 2.6.2.  НОВОЕ: Работа в SysTray.  Настройка: "Всегда наверху"')
RUSSIAN_LINE_1_EARLIER = Label('                          Исправлена ошибка связанная с "вылезанием" поверх игр!')
RUSSIAN_LINE_2_EARLIER = Label("Tikkano, которые удобно лежат на вашем рабочем столе.")
RUSSIAN_LINE_10_EARLIER = Label(" Кнопки дат и дней недели календарика являются настройкой  планировщика. ")
RUSSIAN_LINE_20_EARLIER = Label("  в скобках - % загрузки физической памяти, для WinNT % загрузки резервного блока в 4Mb.")
