"""The reminder edit dialog reached the way a user reaches it: double-click on
the indicator, a day of the calendar, Add or Change in the reminder list. The
road of one reminder from typing to firing, the times and characters the
dialog refuses, the file choosers and the line breaks typed with Ctrl+Enter."""

from __future__ import annotations

import pytest

import harness as H
from harness.recorder import Recorder
from harness.settings_file import group_keys, settings_file
from harness.timezone import today
from harness.xserver import xdotool
from model import calendar as C
from model import reminder_edit as E
from model import reminder_list as R
from pages.calendar import Calendar, calendar_settings, day_button
from pages.reminder_box import next_box
from pages.reminder_edit import ReminderEdit
from pages.reminder_list import ReminderList, stored_group


def status_ini(language="Rus") -> bytes:
    return settings_file({"Status": {"Language": language}})


def todays_key() -> str:
    return group_keys(today())["date"]


def todays_list(calendar: Calendar) -> ReminderList:
    return calendar.open_list(day_button(today()))


def start_editing(clocks, **start) -> tuple[H.Clock, Calendar, ReminderList, ReminderEdit]:
    """A clock with its calendar (opened from the indicator's caption), today's
    reminder list and an edit dialog open on a new reminder."""
    clock = clocks.start(**start)
    calendar = Calendar.open(clock, via="caption")
    reminder_list = todays_list(calendar)
    return clock, calendar, reminder_list, reminder_list.open_edit(R.ADD)


# --------------------------------------------------------------------------


def test_whole_road_of_one_reminder_from_double_click_to_its_box(clocks, wine):
    recorder = Recorder(wine, "road")
    clock = clocks.start(ini=status_ini(), local_time="10:14:10")
    d = clock.driver
    calendar = Calendar.open(clock, via="caption")
    left, top, right, bottom = d.rect(calendar.item(day_button(today())))
    probe = (right - 5, bottom - 4)  # inside the fill, clear of the edges and the caption
    H.wait_for(lambda: d.pixel(*probe) == C.TODAY_MARK, what="today's mark, once the calendar has painted")

    reminder_list = todays_list(calendar)
    edit = reminder_list.open_edit(R.ADD)
    edit.fill({E.HOUR: "10", E.MINUTE: "15", E.TEXT: "Team meeting, room 2;\r\nbring notes",
               E.PROGRAM: recorder.wine_path, E.PARAMETERS: "agenda,1;2.txt"})
    edit.end(H.IDOK)
    assert reminder_list.lines()[0].startswith("10:15 - Team meeting")
    reminder_list.end(H.IDOK)

    assert stored_group(clock, todays_key()) == (
        b"10:15,Team meeting\x82 room 2\x84\x86\x85bring notes,"
        + recorder.wine_path.encode("cp1252") + b"\x83agenda\x821\x842.txt,;")
    H.wait_for(lambda: d.pixel(*probe) == C.BOTH_MARKS, what="the day's reminder mark")
    calendar.end(H.IDOK)

    box = next_box(clock, timeout=75)
    assert box.text.replace("\r\n", "\n") == "10:15 - Team meeting, room 2;\nbring notes"
    (run,) = recorder.runs(1)
    assert run[1] == "agenda,1;2.txt"
    clock.dismiss(box)


@pytest.mark.parametrize("ident, typed, message", [
    (E.HOUR, "25", E.BAD_HOUR.russian),
    (E.MINUTE, "abc", E.BAD_MINUTE.russian),
    (E.TEXT, "a|b", E.LINE_BREAK_CODE.russian % "|"),
    (E.TEXT, "C:\\x", E.LINE_BREAK_CODE.russian % "\\"),
    # Code page 1252 has no Cyrillic: the file would hold question marks.
    (E.TEXT, "Встреча", E.UNSTORABLE_CHARACTER.russian % "В"),
], ids=["hour", "minute", "bar", "backslash", "cyrillic"])
def test_what_cannot_be_stored_is_refused_with_a_box_and_the_dialog_stays(clocks, ident, typed, message):
    clock, _, reminder_list, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    edit.fill({ident: typed})
    box = edit.refusal()
    assert box.text == message
    clock.dismiss(box)
    assert not edit.gone()
    # The focus went back to the field at fault, its text selected for mending.
    assert edit.selection(ident) == (0, len(typed))
    assert edit.text(ident) == typed
    assert reminder_list.lines() == []

    edit.fill({ident: "7"})
    edit.end(H.IDOK)
    assert len(reminder_list.lines()) == 1


def test_file_choosers_open_on_any_field_and_change_it_only_on_their_ok(clocks, wine):
    recorder = Recorder(wine, "chosen")
    clock, _, _, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    not_a_name = r"C:\windows\no|such<file.wav"
    edit.fill({E.SOUND: not_a_name})
    chooser = edit.open_chooser(E.CHOOSE_SOUND)
    assert chooser.folder().lower() == "windows"  # the folder the field names
    chooser.end(H.IDCANCEL)
    assert edit.text(E.SOUND) == not_a_name

    edit.fill({E.PROGRAM: "notes.exe"})
    edit.open_chooser(E.CHOOSE_PROGRAM).choose(recorder.wine_path)
    assert edit.text(E.PROGRAM).lower() == recorder.wine_path.lower()

    # A sound typed without an extension is the wave file of that name. Wine's
    # chooser wants the name as typed to exist before it adds the extension,
    # so a file of the bare name lies beside the wave.
    for name in ("bell", "bell.wav"):
        (clock.workdir / name).write_bytes(b"RIFF")
    bare = H.unix_to_wine_path(clock.workdir / "bell")
    edit.open_chooser(E.CHOOSE_SOUND).choose(bare)
    assert edit.text(E.SOUND).lower() == bare.lower() + ".wav"


def test_ctrl_enter_line_break_and_every_field_survive_reopening(clocks, xserver):
    clock, calendar, reminder_list, edit = start_editing(clocks, ini=status_ini(), local_time="12:00:00")
    paths = {E.SOUND: r"C:\Sounds,1;\bell.wav", E.PROGRAM: r"C:\Tools;x\notes,2.exe", E.PARAMETERS: "a,b;c"}
    edit.fill({E.HOUR: "9", E.MINUTE: "5", **paths})
    left, top, right, bottom = clock.driver.rect(edit.item(E.TEXT))
    xdotool(xserver.display, "mousemove", (left + right) // 2, (top + bottom) // 2)
    xdotool(xserver.display, "click", 1)
    xdotool(xserver.display, "type", "one, 1;")
    xdotool(xserver.display, "key", "ctrl+Return")
    xdotool(xserver.display, "type", "two")
    H.wait_for(lambda: edit.text(E.TEXT) == "one, 1;\r\ntwo", what="the typed text")
    # Enter in the text field presses OK.
    xdotool(xserver.display, "key", "Return")
    H.wait_for(edit.gone, what="Enter to press OK")
    reminder_list.end(H.IDOK)
    assert stored_group(clock, todays_key()) == (
        b"9: 5,one\x82 1\x84\x86\x85two,C:\\Tools\x84x\\notes\x822.exe\x83a\x82b\x84c,C:\\Sounds\x821\x84\\bell.wav;")

    edit = todays_list(calendar).open_edit(R.CHANGE)
    assert edit.fields((E.HOUR, E.MINUTE, E.TEXT, *paths)) == {
        E.HOUR: "9", E.MINUTE: "5", E.TEXT: "one, 1;\r\ntwo", **paths}


@pytest.mark.parametrize("edition, language", [("271", "Rus"), ("271", "Eng"), ("262", "Eng")])
def test_edit_dialog_is_russian_in_both_languages_and_editions(clocks, shot, edition, language):
    clock, _, reminder_list, edit = start_editing(clocks, edition=edition, ini=status_ini(language),
                                                  local_time="12:00:00")
    d = clock.driver
    assert edit.title() == E.CAPTION.russian
    captions = {d.text(h) for h, _, _ in d.children(edit.hwnd)}
    assert {E.TIME_LABEL, E.SOUND_LABEL, E.TEXT_LABEL, E.RUN_LABEL, E.PARAMETERS_LABEL, E.TEST_SOUND_LABEL,
            E.CANCEL_LABEL} <= captions
    edit.fill({E.HOUR: "9", E.MINUTE: "30", E.SOUND: r"C:\Sounds\bell.wav", E.TEXT: "Team meeting\r\nRoom 2",
               E.PROGRAM: r"C:\Tools\notes.exe", E.PARAMETERS: "agenda.txt"})
    shot("edit-dialog")
    # Every edition and language stores the fields alike.
    edit.end(H.IDOK)
    reminder_list.end(H.IDOK)
    assert stored_group(clock, todays_key()) == (
        b"9:30,Team meeting\x86\x85Room 2,C:\\Tools\\notes.exe\x83agenda.txt,C:\\Sounds\\bell.wav;")


def test_stored_reminder_opened_and_confirmed_unchanged_is_stored_as_it_was(clocks):
    # Every "|" shows as a line break of two characters, so the text shows far
    # longer than it is stored; the program takes more than half of the run field.
    entry = (b"10:15,one|" + b"|" * 1100 + b"two\\three\x85four,"
             + b"C:\\" + b"p" * 1500 + b".exe\x83" + b"q" * 500 + b",C:\\Sounds\\bell.wav;")
    clock = clocks.start(ini=calendar_settings({todays_key(): entry}), local_time="12:00:00")
    calendar = Calendar.open(clock, via="caption")
    reminder_list = todays_list(calendar)
    edit = reminder_list.open_edit(R.CHANGE)
    assert len(edit.text(E.TEXT)) == len("one") + 2 * 1101 + len("two\r\nthree\r\nfour")
    edit.press(H.IDOK)
    H.wait_for(lambda: edit.gone() or clock.message_boxes(owner=edit.hwnd), what="OK to act")
    assert clock.message_boxes(owner=edit.hwnd) == []
    reminder_list.end(H.IDOK)
    assert stored_group(clock, todays_key()) == entry
