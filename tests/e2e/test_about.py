"""The about dialog in both languages and editions: title and texts, the 24
description lines, the contact lines, the horizontal extent from the widest
line, and the picture whole at its own size at the frame's corner, kept after
repaints."""

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import settings_file
from model import about as A
from model import strings as S
from pages.about import About, about_picture

# What differs between languages and editions; every other English line is a single blank.
EXPECTED = {
    ("271", "Eng"): {0: S.ENGLISH_VERSION, 2: S.ENGLISH_LINE_2},
    ("262", "Eng"): {0: S.ENGLISH_VERSION_EARLIER, 2: S.ENGLISH_LINE_2},
    ("271", "Rus"): {0: S.RUSSIAN_VERSION, 2: S.RUSSIAN_LINE_2, 10: S.RUSSIAN_LINE_10, 20: S.BLANK,
                     23: S.RUSSIAN_LAST_LINE},
    ("262", "Rus"): {0: S.RUSSIAN_VERSION_EARLIER, 1: S.RUSSIAN_LINE_1_EARLIER, 2: S.RUSSIAN_LINE_2_EARLIER,
                     10: S.RUSSIAN_LINE_10_EARLIER, 20: S.RUSSIAN_LINE_20_EARLIER, 23: S.RUSSIAN_LAST_LINE},
}
TEXTS = {A.NAME: A.NAME_TEXT, A.AUTHOR_LABEL: A.AUTHOR_LABEL_TEXT, A.AUTHOR: A.AUTHOR_TEXT}
PLACES = {"271": A.PLACE_TEXT, "262": A.PLACE_EARLIER}
WEBS = {"271": S.WEB, "262": S.WEB_EARLIER}


@pytest.mark.parametrize("edition", ["271", "262"])
@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_about_texts_lines_extent_and_picture(clocks, driver, shot, edition, language):
    clock = clocks.start(edition, ini=settings_file({"Status": {"Language": language}}),
                         locale="ru" if language == "Rus" else None, local_time="12:00:00")
    dialog = About.open(clock)
    assert dialog.title() == A.TITLE.in_language(language)
    for ident, text in TEXTS.items():
        assert dialog.text(ident) == text.in_language(language)
    assert dialog.text(A.PLACE) == PLACES[edition].in_language(language)
    assert dialog.text(A.MAIL) == S.MAIL
    assert dialog.text(A.WEB) == WEBS[edition]

    lines = dialog.lines()
    assert len(lines) == S.ABOUT_LINE_COUNT
    for number, text in EXPECTED[edition, language].items():
        assert lines[number] == text, number
    if language == "Eng":
        assert [n for n, line in enumerate(lines) if line != S.BLANK] == [0, 2]
    else:
        blank = [n for n, line in enumerate(lines) if not line.strip()]
        assert blank == ([20] if edition == "271" else [])

    # The scroll reaches the end of the widest line, not a fixed 550 pixels.
    extent = dialog.horizontal_extent()
    if language == "Eng":
        widest, _ = driver.extent(S.ENGLISH_LINE_2, "MS Shell Dlg", -11)
        assert widest <= extent <= widest + 10, (widest, extent)
    else:
        assert extent > 400 and extent != 550

    # The picture whole at its own size at the frame's top-left corner, and
    # still there after the frame alone and the whole dialog are redrawn.
    rows = about_picture()
    wait_for(lambda: dialog.picture_shown(rows), what="the picture at the frame's corner")
    dialog.set_text(A.PICTURE, "")  # a static redraws itself on a new text
    left, top, _, _ = driver.rect(dialog.hwnd)
    driver.move(dialog.hwnd, left + 40, top + 30)
    wait_for(lambda: dialog.picture_shown(rows), what="the picture after repaints")
    if edition == "271":
        shot(f"about-{language}")
    dialog.end(H.IDOK)
    assert clock.close() == 0


def test_a_failing_ok_leaves_the_dialog_open_and_usable(clocks, driver):
    """A handler that throws (here the test's fault point makes the first OK of
    any dialog run out of memory) ends that message as not handled: the dialog
    stays open, modal over the indicator, and the next OK closes it."""
    clock = clocks.start(env={"TIKKANO_FAULT": "dialog-ok:1:1"})
    dialog = About.open(clock)
    driver.send(dialog.hwnd, H.WM_COMMAND, H.IDOK, 0)
    assert driver.exists(dialog.hwnd) and driver.visible(dialog.hwnd)
    assert not driver.enabled(clock.hwnd)
    dialog.end(H.IDOK)
    wait_for(lambda: driver.enabled(clock.hwnd), what="the indicator enabled again")
    assert clock.close() == 0
