"""The reminder edit dialog reached the way a user reaches it: double-click on
the indicator, a day of the calendar, Add or Change in the reminder list. The
road of one reminder from typing to firing, the times and characters the
dialog refuses, the file choosers and the line breaks typed with Ctrl+Enter."""

from __future__ import annotations

import datetime
import os
import subprocess

import pytest

import harness as H
from harness.recorder import Recorder
from pages.reminder_box import next_box

WM_NCLBUTTONDBLCLK = 0x00A3
HTCAPTION = 2
EM_GETSEL = 0x00B0

CAPTION = "Будильник, установка"
HOUR, MINUTE, SOUND_CHOOSER, TEXT, SOUND, PROGRAM, PROGRAM_CHOOSER, PARAMETERS = (
    1072, 1073, 1074, 1076, 1077, 1078, 1079, 1080)
LIST_LINES, LIST_ADD, LIST_CHANGE = 1068, 1069, 1070
CHOOSER_FOLDER, CHOOSER_NAME = 1137, 1148

TODAY_COLOUR = 0xC0FFC0           # RGB(192, 255, 192) as 0x00BBGGRR
TODAY_REMINDER_COLOUR = 0xFFFFC0  # RGB(192, 255, 255)


def utc_today() -> datetime.date:
    # tz_for("HH:MM") moves the clock within today's UTC date.
    return datetime.datetime.now(datetime.timezone.utc).date()


def status_ini(language="Rus") -> str:
    return f"[Status]\r\nLanguage={language}\r\n"


def dialog_owned_by(driver, owner: int, caption: str | None = None) -> int:
    # Shown means its WM_INITDIALOG has run: its controls hold their texts.
    def find():
        for h in driver.owned(owner):
            if (driver.window_class(h) == "#32770" and driver.visible(h)
                    and (caption is None or driver.text(h) == caption)):
                return h
        return None
    return H.wait_for(find, what=f"a dialog owned by {owner:#x}")


def click(driver, dialog: int, ident: int):
    """A button press as the button reports it (posted: a dialog may open)."""
    driver.post(dialog, H.WM_COMMAND, ident, 0)


def open_calendar(clock) -> int:
    clock.post(WM_NCLBUTTONDBLCLK, HTCAPTION, 0)
    return dialog_owned_by(clock.driver, clock.hwnd)


def day_button(driver, calendar: int, day: int) -> tuple[int, int]:
    for h, ident, _ in driver.children(calendar):
        if 1101 <= ident <= 1138 and driver.text(h) == str(day):
            return h, ident
    raise AssertionError(f"no button for day {day}")


def open_list(clock, calendar: int) -> int:
    _, ident = day_button(clock.driver, calendar, utc_today().day)
    click(clock.driver, calendar, ident)
    return dialog_owned_by(clock.driver, calendar)


def open_edit(clock, reminder_list: int, button=LIST_ADD) -> int:
    click(clock.driver, reminder_list, button)
    return dialog_owned_by(clock.driver, reminder_list, CAPTION)


def start_editing(clocks, **start) -> tuple[H.Clock, int, int, int]:
    """A clock with its calendar, today's reminder list and an edit dialog open on a new reminder."""
    clock = clocks.start(**start)
    calendar = open_calendar(clock)
    reminder_list = open_list(clock, calendar)
    return clock, calendar, reminder_list, open_edit(clock, reminder_list)


def field(driver, dialog: int, ident: int) -> str:
    return driver.text(driver.dlgitem(dialog, ident))


def fill(driver, dialog: int, values: dict[int, str]):
    for ident, value in values.items():
        driver.set_text(driver.dlgitem(dialog, ident), value)


def press_ok_and_wait_closed(driver, dialog: int):
    click(driver, dialog, H.IDOK)
    H.wait_for(lambda: not driver.exists(dialog), what="the dialog to close")


def alarm_value(clock, key: str) -> bytes:
    for line in clock.ini_path.read_bytes().split(b"\r\n"):
        name, sep, value = line.partition(b"=")
        if sep and name.strip() == key.encode():
            return value.strip(b" ")
    raise AssertionError(f"no key {key} in {clock.ini_path}")


def today_key() -> str:
    day = utc_today()
    return f"{day.day:02d}{day.month:02d}{day.year:04d}"


def xdotool(display: str, *args):
    subprocess.run(["xdotool", *map(str, args)], env=dict(os.environ, DISPLAY=display), check=True, timeout=10,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# --------------------------------------------------------------------------


def test_whole_road_of_one_reminder_from_double_click_to_its_box(clocks, wine):
    recorder = Recorder(wine, "road")
    clock = clocks.start(ini=status_ini(), local_time="10:14:10")
    d = clock.driver
    calendar = open_calendar(clock)
    button, _ = day_button(d, calendar, utc_today().day)
    left, top, right, bottom = d.rect(button)
    probe = (right - 5, bottom - 4)  # inside the fill, clear of the edges and the caption
    assert d.pixel(*probe) == TODAY_COLOUR

    reminder_list = open_list(clock, calendar)
    edit = open_edit(clock, reminder_list)
    fill(d, edit, {HOUR: "10", MINUTE: "15", TEXT: "Team meeting, room 2;\r\nbring notes",
                   PROGRAM: recorder.wine_path, PARAMETERS: "agenda,1;2.txt"})
    press_ok_and_wait_closed(d, edit)
    assert d.listbox_items(d.dlgitem(reminder_list, LIST_LINES))[0].startswith("10:15 - Team meeting")
    press_ok_and_wait_closed(d, reminder_list)

    assert alarm_value(clock, today_key()) == (
        b"10:15,Team meeting\x82 room 2\x84\x86\x85bring notes,"
        + recorder.wine_path.encode("cp1252") + b"\x83agenda\x821\x842.txt,;")
    H.wait_for(lambda: d.pixel(*probe) == TODAY_REMINDER_COLOUR, what="the day's reminder mark")
    press_ok_and_wait_closed(d, calendar)

    box = next_box(clock, timeout=75)
    assert box.text.replace("\r\n", "\n") == "10:15 - Team meeting, room 2;\nbring notes"
    (run,) = recorder.runs(1)
    assert run[1] == "agenda,1;2.txt"
    clock.dismiss(box)


@pytest.mark.parametrize("ident, typed, message", [
    (HOUR, "25", "Час - число от 0 до 23."),
    (MINUTE, "abc", "Минуты - число от 0 до 59."),
    (TEXT, "a|b", "Знак «|» в тексте напоминания означает перевод строки"),
    (TEXT, "C:\\x", "Знак «\\» в тексте напоминания означает перевод строки"),
    # Code page 1252 has no Cyrillic: the file would hold question marks.
    (TEXT, "Встреча", "Знак «В» в этом поле не сохранится в файле напоминаний"),
])
def test_what_cannot_be_stored_is_refused_with_a_box_and_the_dialog_stays(clocks, ident, typed, message):
    clock, _, reminder_list, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    d = clock.driver
    fill(d, edit, {ident: typed})
    click(d, edit, H.IDOK)
    (box,) = clock.wait_message_boxes(1, owner=edit)
    assert box.caption == CAPTION
    assert box.text.startswith(message)
    clock.dismiss(box)
    assert d.exists(edit)
    # The focus went back to the field at fault, its text selected for mending.
    assert d.send(d.dlgitem(edit, ident), EM_GETSEL) == len(typed) << 16
    assert field(d, edit, ident) == typed
    assert d.listbox_items(d.dlgitem(reminder_list, LIST_LINES)) == []

    fill(d, edit, {ident: "7"})
    press_ok_and_wait_closed(d, edit)
    assert len(d.listbox_items(d.dlgitem(reminder_list, LIST_LINES))) == 1


def test_file_choosers_open_on_any_field_and_change_it_only_on_their_ok(clocks, wine):
    recorder = Recorder(wine, "chosen")
    clock, _, _, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    d = clock.driver
    not_a_name = r"C:\windows\no|such<file.wav"
    fill(d, edit, {SOUND: not_a_name})
    click(d, edit, SOUND_CHOOSER)
    chooser = dialog_owned_by(d, edit, "Звук")
    assert field(d, chooser, CHOOSER_FOLDER).lower() == "windows"  # the folder the field names
    click(d, chooser, H.IDCANCEL)
    H.wait_for(lambda: not d.exists(chooser), what="the sound chooser to close")
    assert field(d, edit, SOUND) == not_a_name

    fill(d, edit, {PROGRAM: "notes.exe"})
    click(d, edit, PROGRAM_CHOOSER)
    chooser = dialog_owned_by(d, edit, "Запуск программы")
    fill(d, chooser, {CHOOSER_NAME: recorder.wine_path})
    click(d, chooser, H.IDOK)
    H.wait_for(lambda: not d.exists(chooser), what="the program chooser to close")
    assert field(d, edit, PROGRAM).lower() == recorder.wine_path.lower()

    # A sound typed without an extension is the wave file of that name. Wine's
    # chooser wants the name as typed to exist before it adds the extension,
    # so a file of the bare name lies beside the wave.
    for name in ("bell", "bell.wav"):
        (clock.workdir / name).write_bytes(b"RIFF")
    bare = H.unix_to_wine_path(clock.workdir / "bell")
    click(d, edit, SOUND_CHOOSER)
    chooser = dialog_owned_by(d, edit, "Звук")
    fill(d, chooser, {CHOOSER_NAME: bare})
    click(d, chooser, H.IDOK)
    H.wait_for(lambda: not d.exists(chooser), what="the sound chooser to take the name and close")
    assert field(d, edit, SOUND).lower() == bare.lower() + ".wav"


def test_ctrl_enter_line_break_and_every_field_survive_reopening(clocks, xserver):
    clock, calendar, reminder_list, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    d = clock.driver
    paths = {SOUND: r"C:\Sounds,1;\bell.wav", PROGRAM: r"C:\Tools;x\notes,2.exe", PARAMETERS: "a,b;c"}
    fill(d, edit, {HOUR: "9", MINUTE: "5", **paths})
    left, top, right, bottom = d.rect(d.dlgitem(edit, TEXT))
    xdotool(xserver.display, "mousemove", (left + right) // 2, (top + bottom) // 2)
    xdotool(xserver.display, "click", 1)
    xdotool(xserver.display, "type", "one, 1;")
    xdotool(xserver.display, "key", "ctrl+Return")
    xdotool(xserver.display, "type", "two")
    H.wait_for(lambda: field(d, edit, TEXT) == "one, 1;\r\ntwo", what="the typed text")
    # Enter in the text field presses OK.
    xdotool(xserver.display, "key", "Return")
    H.wait_for(lambda: not d.exists(edit), what="Enter to press OK")
    press_ok_and_wait_closed(d, reminder_list)
    assert alarm_value(clock, today_key()) == (
        b"9: 5,one\x82 1\x84\x86\x85two,C:\\Tools\x84x\\notes\x822.exe\x83a\x82b\x84c,C:\\Sounds\x821\x84\\bell.wav;")

    reminder_list = open_list(clock, calendar)
    edit = open_edit(clock, reminder_list, LIST_CHANGE)
    assert {ident: field(d, edit, ident) for ident in (HOUR, MINUTE, TEXT, *paths)} == {
        HOUR: "9", MINUTE: "5", TEXT: "one, 1;\r\ntwo", **paths}


@pytest.mark.parametrize("edition, language", [("271", "Rus"), ("271", "Eng"), ("262", "Eng")])
def test_edit_dialog_is_russian_in_both_languages_and_editions(clocks, shot, edition, language):
    clock, _, reminder_list, edit = start_editing(clocks, edition=edition, ini=status_ini(language),
                                                  local_time="12:00:00")
    d = clock.driver
    assert d.text(edit) == CAPTION
    captions = {d.text(h) for h, _, _ in d.children(edit)}
    assert {"Время:", "Сигнал:", "Текст:", "Запуск:", "Параметры:", "Тест", "Отмена"} <= captions
    fill(d, edit, {HOUR: "9", MINUTE: "30", SOUND: r"C:\Sounds\bell.wav", TEXT: "Team meeting\r\nRoom 2",
                   PROGRAM: r"C:\Tools\notes.exe", PARAMETERS: "agenda.txt"})
    shot("edit-dialog")
    # Every edition and language stores the fields alike.
    press_ok_and_wait_closed(d, edit)
    press_ok_and_wait_closed(d, reminder_list)
    assert alarm_value(clock, today_key()) == (
        b"9:30,Team meeting\x86\x85Room 2,C:\\Tools\\notes.exe\x83agenda.txt,C:\\Sounds\\bell.wav;")


def test_stored_reminder_opened_and_confirmed_unchanged_is_stored_as_it_was(clocks):
    # Every "|" shows as a line break of two characters, so the text shows far
    # longer than it is stored; the program takes more than half of the run field.
    entry = (b"10:15,one|" + b"|" * 1100 + b"two\\three\x85four,"
             + b"C:\\" + b"p" * 1500 + b".exe\x83" + b"q" * 500 + b",C:\\Sounds\\bell.wav;")
    ini = (status_ini() + "[Alarm]\r\n").encode() + today_key().encode() + b"=" + entry + b"\r\n"
    clock = clocks.start(ini=ini, local_time="12:00:00")
    d = clock.driver
    calendar = open_calendar(clock)
    reminder_list = open_list(clock, calendar)
    edit = open_edit(clock, reminder_list, LIST_CHANGE)
    assert len(field(d, edit, TEXT)) == len("one") + 2 * 1101 + len("two\r\nthree\r\nfour")
    click(d, edit, H.IDOK)
    H.wait_for(lambda: not d.exists(edit) or clock.message_boxes(owner=edit), what="OK to act")
    assert clock.message_boxes(owner=edit) == []
    press_ok_and_wait_closed(d, reminder_list)
    assert alarm_value(clock, today_key()) == entry
