"""The about dialog in both languages and editions: title and texts, the 24
description lines, the contact lines, the horizontal extent from the widest
line, and the picture whole at its own size at the frame's corner, kept after
repaints."""

import struct

import pytest

import harness as H
from harness import wait_for
from test_clock_settings import end, item, owned_dialog

IDM_ABOUT = 111
LB_GETHORIZONTALEXTENT = 0x0193
NAME, AUTHOR_LABEL, AUTHOR, PLACE, MAIL, LINES, PICTURE, WEB = 1057, 1058, 1059, 1060, 1030, 1036, 1080, 1032
ENGLISH_LINE_2 = "Please wait. Soon I'll write about my new Tikkano."

# What differs between languages and editions; every other English line is a single blank.
EXPECTED = {
    ("271", "Eng"): {0: "Version 2.7.1.", 2: ENGLISH_LINE_2},
    ("262", "Eng"): {0: "Version 2.6.2", 2: ENGLISH_LINE_2},
    ("271", "Rus"): {
        0: "Версия 2.7.1.  НОВОЕ:  1. Файл настроек теперь в рабочей папке программы.",
        2: "Tikkano, которые удобно лежат на вашем рабочем столе. ",
        10: " Кнопки  календарика запускают  настройку планировщика (напоминалки). ",
        20: " ",
        23: "Пользуйтесь на здоровье.     Жду писем.",
    },
    ("262", "Rus"): {
        0: 'Версия 2.6.2.  НОВОЕ: Работа в SysTray.  Настройка: "Всегда наверху"',
        1: '                          Исправлена ошибка связанная с "вылезанием" поверх игр!',
        2: "Tikkano, которые удобно лежат на вашем рабочем столе.",
        10: " Кнопки дат и дней недели календарика являются настройкой  планировщика. ",
        20: "  в скобках - % загрузки физической памяти, для WinNT % загрузки резервного блока в 4Mb.",
        23: "Пользуйтесь на здоровье.     Жду писем.",
    },
}
TEXTS = {
    "Rus": {"title": "Об Авторе", NAME: "Tikkano", AUTHOR_LABEL: "Автор:", AUTHOR: "Команда Tikkano"},
    "Eng": {"title": "About", NAME: "Tikkano", AUTHOR_LABEL: "Author:", AUTHOR: "The Tikkano team"},
}
PLACES = {("271", "Rus"): "Москва, 2001", ("271", "Eng"): "Moscow, 2001",
          ("262", "Rus"): "Москва, 2000", ("262", "Eng"): "Moscow, 2000"}
WEBS = {"271": "www.tikkano.example.org", "262": "www.tikkano.example.org/2.6"}


def about_picture():
    """The about bitmap as COLORREF rows, top row first."""
    data = (H.REPO / "src" / "resources" / "about.bmp").read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    size, width, height, _planes, bits, _compression, _image, _x, _y, used = struct.unpack_from("<IiiHHIIiiI", data, 14)
    assert (width, height, bits, used) == (75, 56, 8, 250)
    palette = [struct.unpack_from("<BBBB", data, 14 + size + 4 * i) for i in range(used)]
    stride = (width + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + width]
        rows.append([palette[i][2] | palette[i][1] << 8 | palette[i][0] << 16 for i in row])
    return rows


def picture_on_screen(driver, frame, rows):
    left, top, _, _ = driver.client(frame)
    shown = driver.pixels(left, top, left + len(rows[0]), top + len(rows))
    return all(shown.at(x, y) == colour for y, row in enumerate(rows) for x, colour in enumerate(row))


@pytest.mark.parametrize("edition", ["271", "262"])
@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_about_texts_lines_extent_and_picture(clocks, driver, shot, edition, language):
    clock = clocks.start(edition, ini=f"[Status]\nLanguage={language}\n", locale="ru" if language == "Rus" else None,
                         local_time="12:00:00")
    clock.command(IDM_ABOUT)
    dialog = owned_dialog(driver, clock.hwnd)
    texts = TEXTS[language]
    assert driver.text(dialog) == texts["title"]
    for ident in (NAME, AUTHOR_LABEL, AUTHOR):
        assert driver.text(item(driver, dialog, ident)) == texts[ident]
    assert driver.text(item(driver, dialog, PLACE)) == PLACES[edition, language]
    assert driver.text(item(driver, dialog, MAIL)) == "tikkano@example.org"
    assert driver.text(item(driver, dialog, WEB)) == WEBS[edition]

    lines = driver.listbox_items(item(driver, dialog, LINES))
    assert len(lines) == 24
    for number, text in EXPECTED[edition, language].items():
        assert lines[number] == text, number
    if language == "Eng":
        assert [n for n, line in enumerate(lines) if line != " "] == [0, 2]
    else:
        blank = [n for n, line in enumerate(lines) if not line.strip()]
        assert blank == ([20] if edition == "271" else [])

    # The scroll reaches the end of the widest line, not a fixed 550 pixels.
    extent = driver.send(item(driver, dialog, LINES), LB_GETHORIZONTALEXTENT)
    if language == "Eng":
        widest, _ = driver.extent(ENGLISH_LINE_2, "MS Shell Dlg", -11)
        assert widest <= extent <= widest + 10, (widest, extent)
    else:
        assert extent > 400 and extent != 550

    # The picture whole at its own size at the frame's top-left corner, and
    # still there after the frame alone and the whole dialog are redrawn.
    rows = about_picture()
    frame = item(driver, dialog, PICTURE)
    wait_for(lambda: picture_on_screen(driver, frame, rows), what="the picture at the frame's corner")
    driver.set_text(frame, "")  # a static redraws itself on a new text
    left, top, _, _ = driver.rect(dialog)
    driver.move(dialog, left + 40, top + 30)
    wait_for(lambda: picture_on_screen(driver, frame, rows), what="the picture after repaints")
    if edition == "271":
        shot(f"about-{language}")
    end(driver, dialog, H.IDOK)
    assert clock.close() == 0


def test_a_failing_ok_leaves_the_dialog_open_and_usable(clocks, driver):
    """A handler that throws (here the test's fault point makes the first OK of
    any dialog run out of memory) ends that message as not handled: the dialog
    stays open, modal over the indicator, and the next OK closes it."""
    clock = clocks.start(env={"TIKKANO_FAULT": "dialog-ok:1:1"})
    clock.command(IDM_ABOUT)
    dialog = owned_dialog(driver, clock.hwnd)
    driver.send(dialog, H.WM_COMMAND, H.IDOK, 0)
    assert driver.exists(dialog) and driver.visible(dialog)
    assert not driver.enabled(clock.hwnd)
    end(driver, dialog, H.IDOK)
    wait_for(lambda: driver.enabled(clock.hwnd), what="the indicator enabled again")
    assert clock.close() == 0
