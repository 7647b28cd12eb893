"""The clock settings dialog: check states at opening, what OK makes of the
boxes on the indicator and in the file, the colour preview, the colour and
font choosers, "Standard" and "Sys", nothing left to show, the control panel
button, its texts in both languages and editions, and a second opening from
the tray with its own working colours."""

import shutil
import time

import pytest

import harness as H
from harness import wait_for

IDM_CLOCK = 112
BM_CLICK = 0x00F5
BM_SETCHECK = 0x00F1
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0201, 0x0202
CB_SETCURSEL, CBN_SELCHANGE = 0x014E, 1
TIME_BOX, DATE_BOX, MEMORY_BOX, RAM_BOX = 102, 103, 104, 105
BACK, TIME_COLOUR, DATE_COLOUR = 111, 112, 113
FONT, STANDARD, SYSTEM_FONT, BORDER, WHOLE_MINUTE, CONTROL_PANEL, HEADS, SHORT_DATE, DATE_FORMAT = (
    1032, 1033, 1037, 1038, 1039, 1041, 1061, 1040, 1064)
BOXES = (TIME_BOX, DATE_BOX, MEMORY_BOX, RAM_BOX)

# Distinctive colours (COLORREF 0x00BBGGRR): background, time, date, memory, RAM.
BG, TIME, DATE, MEM, RAM = 0x301000, 0x00C0FF, 0xFF40C0, 0x40FF40, 0xC0C000
COLOURS = (BG, TIME, DATE, MEM, RAM)
DEFAULTS = (0x000000, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xB4B4B4)


def colours_ini(colours=COLOURS):
    return "[Colors]\nColors=" + ",".join(f"{c:06x}" for c in colours) + "\n"


def ini(status="", colours=COLOURS, language="Eng"):
    return f"[Status]\nLanguage={language}\n{status}\n[Position]\nX=300\nY=200\n{colours_ini(colours)}"


# -- driving dialogs ---------------------------------------------------------

def owned_dialog(driver, owner, caption=None, not_in=()):
    """The dialog (or chooser) owned by `owner`, once it shows."""
    def found():
        for h in driver.owned(owner):
            if h not in not_in and driver.visible(h) and (caption is None or driver.text(h) == caption):
                return h
        return None
    return wait_for(found, what=f"a dialog owned by {owner:#x}")


def open_settings(clock, not_in=()):
    clock.command(IDM_CLOCK)
    return owned_dialog(clock.driver, clock.hwnd, not_in=not_in)


def item(driver, dialog, ident):
    h = driver.dlgitem(dialog, ident)
    assert h, f"no control {ident}"
    return h


def click(driver, dialog, ident):
    """A click on a button, as the dialog sees it."""
    driver.post(dialog, H.WM_COMMAND, ident, item(driver, dialog, ident))


def end(driver, dialog, button):
    driver.post(dialog, H.WM_COMMAND, button, 0)
    wait_for(lambda: not driver.exists(dialog), what="the dialog to close")


def boxes(driver, dialog):
    return tuple(driver.check(item(driver, dialog, b)) for b in BOXES)


def set_boxes(driver, dialog, states):
    for b, state in zip(BOXES, states):
        driver.send(item(driver, dialog, b), BM_SETCHECK, state)


def indicator_colours(clock):
    wait_for(lambda: clock.rect()[2] - clock.rect()[0] > 3, what="the indicator sized")
    return set(clock.driver.pixels(*clock.rect()).colours())


def wait_segments(clock, shown, hidden):
    """The indicator shows the colours of `shown` and none of `hidden`."""
    def ok():
        c = indicator_colours(clock)
        return all(s in c for s in shown) and not any(h in c for h in hidden)
    wait_for(ok, what=f"indicator colours {[hex(s) for s in shown]} without {[hex(h) for h in hidden]}")


def open_font_chooser(driver, dialog, size):
    """Opens the font chooser from the settings dialog and picks a size from
    its list (a typed size loses to the list's selection on OK)."""
    click(driver, dialog, FONT)
    chooser = owned_dialog(driver, dialog)
    combo = item(driver, chooser, 1138)
    children = driver.children(chooser)
    at = next(i for i, (h, _ident, _cls) in enumerate(children) if h == combo)
    sizes = next(h for h, _ident, cls in children[at + 1:] if cls == "ComboLBox")
    index = wait_for(lambda: size in driver.listbox_items(sizes) and driver.listbox_items(sizes).index(size),
                     what=f"size {size} in the chooser's list")
    driver.send(combo, CB_SETCURSEL, index)
    driver.post(chooser, H.WM_COMMAND, CBN_SELCHANGE << 16 | 1138, combo)
    wait_for(lambda: driver.text(combo) == size, what="the size chosen")
    return chooser


def height(clock):
    r = clock.rect()
    return r[3] - r[1]


# -- tests -------------------------------------------------------------------

@pytest.mark.parametrize("edition", ["271", "262"])
def test_boxes_at_opening_and_what_ok_shows(clocks, driver, edition):
    clock = clocks.start(edition, ini=ini("Status=3\ndStatus=3\n"), local_time="12:00:00")
    wait_segments(clock, (BG, TIME, DATE), (MEM, RAM))
    # Each step: boxes expected at opening, boxes set before OK, colours then shown.
    steps = [
        ((1, 1, 0, 0), (0, 0, 0, 1), (RAM,), (TIME, DATE, MEM)),
        ((0, 0, 0, 1), (1, 0, 1, 0), (TIME, MEM), (DATE, RAM)),
        # Memory figures off: the memory choice (1) is kept but its box opens clear.
        ((1, 0, 1, 0), (1, 1, 0, 0), (TIME, DATE), (MEM, RAM)),
        ((1, 1, 0, 0), (0, 1, 1, 1), (DATE, MEM, RAM), (TIME,)),
    ]
    for at_opening, chosen, shown, hidden in steps:
        dialog = open_settings(clock)
        assert boxes(driver, dialog) == at_opening
        set_boxes(driver, dialog, chosen)
        end(driver, dialog, H.IDOK)
        wait_segments(clock, shown, hidden)
    # Frame and short date take effect on OK too.
    dialog = open_settings(clock)
    assert (driver.check(item(driver, dialog, BORDER)), driver.check(item(driver, dialog, SHORT_DATE))) == (0, 0)
    driver.send(item(driver, dialog, BORDER), BM_SETCHECK, 1)
    driver.send(item(driver, dialog, SHORT_DATE), BM_SETCHECK, 1)
    end(driver, dialog, H.IDOK)
    wait_segments(clock, (0xFFFFFF, 0x808080), ())
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["Status"], status["dStatus"], status["Key"], status["ShortDt"]) == ("5", "3", "1", "1")


def test_preview_and_standard_then_cancel_or_ok(clocks, driver, shot):
    clock = clocks.start(ini=ini("Status=6\ndStatus=3\n"), local_time="12:00:00")
    dialog = open_settings(clock)
    time.sleep(0.3)
    # Each display box's caption in its figure's colour on the background;
    # the border box as Windows paints it.
    for box, colour in zip(BOXES, (TIME, DATE, MEM, RAM)):
        c = driver.pixels(*driver.rect(item(driver, dialog, box))).colours()
        assert BG in c and colour in c, (box, hex(colour))
    assert BG not in driver.pixels(*driver.rect(item(driver, dialog, BORDER))).colours()
    shot("custom-colours")

    click(driver, dialog, STANDARD)
    wait_for(lambda: DEFAULTS[1] in driver.pixels(*driver.rect(item(driver, dialog, TIME_BOX))).colours(),
             what="the preview in the standard colours")
    end(driver, dialog, H.IDCANCEL)
    time.sleep(1.2)
    wait_segments(clock, COLOURS, DEFAULTS[1:])

    dialog = open_settings(clock)
    assert TIME in driver.pixels(*driver.rect(item(driver, dialog, TIME_BOX))).colours(), "Cancel dropped it"
    click(driver, dialog, STANDARD)
    end(driver, dialog, H.IDOK)
    wait_segments(clock, DEFAULTS, COLOURS)
    assert clock.close() == 0
    assert clock.ini()["Colors"]["Colors"] == H.Ini(H.default_settings(None))["Colors"]["Colors"]


def choose_colour(driver, dialog, button, rgb=None, custom_slot=None, add_to_custom=False):
    """Opens the colour chooser from `button`; either types `rgb` (r, g, b) into
    its fields or clicks custom slot `custom_slot`, then OK."""
    click(driver, dialog, button)
    chooser = owned_dialog(driver, dialog)
    assert not driver.enabled(dialog), "the settings dialog is disabled under its chooser"
    if rgb is not None:
        for field, value in zip((706, 707, 708), rgb):
            driver.set_text(item(driver, chooser, field), str(value))
    if add_to_custom:
        click(driver, chooser, 712)
    if custom_slot is not None:
        # The custom colours lie in two rows of eight in the area of control 721.
        left, top, right, bottom = driver.rect(item(driver, chooser, 721))
        cl, ct, _, _ = driver.client(chooser)
        x = left - cl + (right - left) * (2 * (custom_slot % 8) + 1) // 16
        y = top - ct + (bottom - top) * (2 * (custom_slot // 8) + 1) // 4
        driver.post(chooser, WM_LBUTTONDOWN, 1, (y << 16) | x)
        driver.post(chooser, WM_LBUTTONUP, 0, (y << 16) | x)
        time.sleep(0.3)
    end(driver, chooser, H.IDOK)


def test_colour_chooser_reaches_indicator_and_file_and_keeps_custom_colours(clocks, driver):
    picked = (0x12, 0x9A, 0xE4)
    picked_ref = picked[0] | picked[1] << 8 | picked[2] << 16
    clock = clocks.start(ini=ini("Status=3\n"), local_time="12:00:00")
    dialog = open_settings(clock)
    choose_colour(driver, dialog, TIME_COLOUR, rgb=picked, add_to_custom=True)
    wait_for(lambda: picked_ref in driver.pixels(*driver.rect(item(driver, dialog, TIME_BOX))).colours(),
             what="the preview in the chosen colour")
    end(driver, dialog, H.IDOK)
    wait_segments(clock, (BG, picked_ref, DATE), (TIME,))

    # Another opening: the custom colour added above is still there; an unused
    # custom slot (0xFFFFFFFF) gives white, not a value the file cannot hold.
    dialog = open_settings(clock)
    choose_colour(driver, dialog, DATE_COLOUR, custom_slot=0)
    choose_colour(driver, dialog, BACK, custom_slot=1)
    end(driver, dialog, H.IDOK)
    wait_segments(clock, (0xFFFFFF, picked_ref), (BG, DATE))
    assert clock.close() == 0
    saved = clock.ini()["Colors"]["Colors"]
    assert saved == f"ffffff,{picked_ref:06x},{picked_ref:06x},{MEM:06x},{RAM:06x}"

    again = clocks.start(cwd=clock.workdir, local_time="12:00:00")
    wait_segments(again, (0xFFFFFF, picked_ref), (BG, DATE, DEFAULTS[1]))
    assert again.close() == 0


def test_font_chooser_and_system_font_act_at_once_and_survive_cancel(clocks, driver):
    clock = clocks.start(ini=ini("Status=0\n"), local_time="12:00:00")
    wait_for(lambda: height(clock) > 3, what="the indicator sized")
    small = height(clock)
    dialog = open_settings(clock)
    font_button = item(driver, dialog, FONT)
    chooser = open_font_chooser(driver, dialog, "36")
    assert driver.text(chooser) == "Font"
    assert not driver.enabled(dialog), "the chooser belongs to the settings dialog"
    end(driver, chooser, H.IDOK)
    # The indicator grows while the settings dialog is still open; the keys
    # stay in the dialog, and the indicator under it stays disabled.
    wait_for(lambda: height(clock) > small * 2, what="the indicator in the bigger font")
    wait_for(lambda: driver.focus(dialog)[0] == font_button, what="the focus back on the font button")
    assert driver.enabled(dialog) and not driver.enabled(clock.hwnd)
    driver.keys("tab")
    wait_for(lambda: driver.focus(dialog)[0] == item(driver, dialog, STANDARD), what="Tab to the next button")
    driver.keys("esc")  # Cancel
    wait_for(lambda: not driver.exists(dialog), what="Escape to close the dialog")
    time.sleep(1.2)
    big = height(clock)
    assert big > small * 2, "Cancel keeps the font"

    dialog = open_settings(clock)
    click(driver, dialog, SYSTEM_FONT)
    wait_for(lambda: height(clock) < big, what="the indicator back in the system font")
    # Cancelled, the chooser hands the focus back to the font button as well,
    # and Alt+F4 then closes the dialog alone.
    click(driver, dialog, FONT)
    chooser = owned_dialog(driver, dialog)
    wait_for(lambda: driver.focus(chooser)[2] == chooser, what="the chooser in the foreground")
    driver.keys("esc")
    wait_for(lambda: not driver.exists(chooser), what="Escape to close the chooser")
    wait_for(lambda: driver.focus(dialog)[0] == item(driver, dialog, FONT), what="the focus back on the font button")
    assert not driver.enabled(clock.hwnd)
    driver.keys("alt+f4")
    wait_for(lambda: not driver.exists(dialog), what="Alt+F4 to close the dialog")
    assert clock.running and driver.enabled(clock.hwnd)
    assert clock.close() == 0
    font = clock.ini()["Font"]
    assert (font["Name"], font["Size"], font["Italic"], font["Weight"], font["CharSet"]) == (
        "System", "-13", "0", "700", "204")


def test_font_chooser_choice_is_saved(clocks, driver):
    clock = clocks.start(ini=ini("Status=0\n"), local_time="12:00:00")
    dialog = open_settings(clock)
    chooser = open_font_chooser(driver, dialog, "20")
    face = driver.text(item(driver, chooser, 1136))
    end(driver, chooser, H.IDOK)
    end(driver, dialog, H.IDOK)
    assert clock.close() == 0
    font = clock.ini()["Font"]
    assert font["Name"] == face and int(font["Size"]) <= -20


@pytest.mark.parametrize("edition", ["271", "262"])
def test_nothing_to_show_ends_the_program_through_the_normal_close(clocks, driver, edition):
    clock = clocks.start(edition, ini=ini("Status=4\ndStatus=2\n"), local_time="12:00:00")
    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator in the tray")
    dialog = open_settings(clock)
    set_boxes(driver, dialog, (0, 0, 0, 0))
    driver.post(dialog, H.WM_COMMAND, H.IDOK, 0)
    assert clock.wait_exit() == 0
    saved = clock.ini()
    assert (saved["Status"]["Status"], saved["Status"]["dStatus"]) == ("4", "2")
    assert saved["Position"]["TrayStatus"] == "1"
    if edition == "271":
        # The local time is today's (UTC) date at noon.
        today = time.strftime("%Y%m%d", time.gmtime())
        assert saved["Status"]["LastTime"] in (today + "1200", today + "1201")
    else:
        assert "LastTime" not in saved["Status"]
    # The icon's removal is the same close road (saved as in the tray, then
    # left): Wine drops the icons of a dead window by itself, so a ghost icon
    # cannot be seen here.


def test_control_panel_button_starts_control_exe_with_timedate(clocks, wine, driver, monkeypatch):
    folder = wine.tmp / "with-control"
    folder.mkdir()
    shutil.copy(H.program("271"), folder / H.EDITIONS["271"])
    shutil.copy(H.E2E_BIN / "tikkano_recorder.exe", folder / "Control.exe")
    monkeypatch.setattr(H, "DIST", folder)
    clock = clocks.start(ini=ini(), local_time="12:00:00")
    dialog = open_settings(clock)
    click(driver, dialog, CONTROL_PANEL)
    log = folder / "Control.log"
    wait_for(log.exists, what="Control.exe to run")
    _cwd, parameters, _line = wait_for(lambda: log.read_text("utf-8").splitlines(), what="its record")[0].split("\t")
    assert parameters == "Timedate.cpl"
    end(driver, dialog, H.IDCANCEL)
    assert clock.close() == 0


NOT_SET = {
    "Rus": ("Часы", "Время не установлено: у программы нет права изменять системное время.\n"
                    "Это право может запросить панель «Дата и время»: её открывает соседняя кнопка Set."),
    "Eng": ("Clock", "The clock was not set: this program has no right to change the system time.\n"
                     "The Date and Time control panel can ask for that right: the Set button next to this one opens it."),
}


@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_a_refused_whole_minute_is_told_and_the_dialog_stays(clocks, driver, language):
    # Wine refuses any real change of its clock, as Windows does for a user
    # without the right to change the system time.
    clock = clocks.start(ini=ini(language=language), local_time="10:20:10")
    dialog = open_settings(clock)
    click(driver, dialog, WHOLE_MINUTE)
    boxes = clock.wait_message_boxes(1, owner=dialog)
    assert len(boxes) == 1 and (boxes[0].caption, boxes[0].text) == NOT_SET[language]
    clock.dismiss(boxes[0])
    assert driver.exists(dialog) and driver.enabled(dialog)
    end(driver, dialog, H.IDCANCEL)
    assert clock.close() == 0


TEXTS = {
    "Rus": {"caption": "Часы", HEADS: "Индикация            Цвет", BORDER: "Рамка", TIME_BOX: "Время",
            DATE_BOX: "Дата", MEMORY_BOX: "Память", RAM_BOX: "ОЗУ", SHORT_DATE: "Кр", STANDARD: "Стандарт",
            BACK: "Фон", FONT: "Шрифт", 1039: "00 сек", H.IDCANCEL: "Отмена", DATE_FORMAT: "Формат даты"},
    "Eng": {"caption": "Clock", HEADS: "Indication              Color", BORDER: "Border", TIME_BOX: "Time",
            DATE_BOX: "Date", MEMORY_BOX: "Memory", RAM_BOX: "RAM", SHORT_DATE: "Sh", STANDARD: "Standard",
            BACK: "Back", FONT: "Font", 1039: "00 sec", H.IDCANCEL: "Cancel", DATE_FORMAT: "Format of date"},
}


@pytest.mark.parametrize("edition", ["271", "262"])
@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_texts_by_language_and_heads_per_edition(clocks, driver, shot, edition, language):
    clock = clocks.start(edition, ini=ini(language=language), locale="ru" if language == "Rus" else "en",
                         local_time="12:00:00")
    dialog = open_settings(clock)
    texts = TEXTS[language]
    assert driver.text(dialog) == texts["caption"]
    for ident, text in texts.items():
        if ident != "caption":
            assert driver.text(item(driver, dialog, ident)) == text, ident
    for ident, text in ((H.IDOK, "OK"), (SYSTEM_FONT, "Sys"), (CONTROL_PANEL, "Set"),
                        (112, ""), (113, ""), (114, ""), (115, "")):
        assert driver.text(item(driver, dialog, ident)) == text, ident
    # The heads stand 12 dialog units above the border box here, 10 in the
    # earlier edition; the border box stands 11 above the time box.
    top = lambda ident: driver.rect(item(driver, dialog, ident))[1]  # noqa: E731
    heads_gap, unit_gap = top(BORDER) - top(HEADS), top(TIME_BOX) - top(BORDER)
    assert heads_gap > unit_gap if edition == "271" else heads_gap < unit_gap
    if edition == "271":
        shot(f"clock-settings-{language}")
    end(driver, dialog, H.IDCANCEL)


def test_second_opening_from_the_tray_has_its_own_working_colours(clocks, driver):
    clock = clocks.start(ini=ini("Status=3\n"), local_time="12:00:00")
    first = open_settings(clock)
    click(driver, first, STANDARD)
    time_box = lambda d: set(driver.pixels(*driver.rect(item(driver, d, TIME_BOX))).colours())  # noqa: E731
    wait_for(lambda: DEFAULTS[1] in time_box(first), what="standard colours in the first dialog")
    # The tray's menu reaches the indicator while the first dialog is open.
    driver.move(first, 0, 400)
    second = open_settings(clock, not_in=(first,))
    time.sleep(0.3)
    assert TIME in time_box(second) and DEFAULTS[1] not in time_box(second)
    end(driver, second, H.IDCANCEL)
    assert DEFAULTS[1] in time_box(first)
    end(driver, first, H.IDOK)
    wait_segments(clock, DEFAULTS[:3], (TIME, DATE))
    assert clock.close() == 0
