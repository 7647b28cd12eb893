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
from model import clock_settings as C
from pages.clock_settings import ClockSettings
from pages.indicator import BG, DARK, DATE, DISTINCT, LIGHT, MEM, RAM, STANDARD, TIME, Indicator, indicator_settings

COLOURS, DEFAULTS = DISTINCT, STANDARD


@pytest.mark.parametrize("edition", ["271", "262"])
def test_boxes_at_opening_and_what_ok_shows(clocks, driver, edition):
    clock = clocks.start(edition, ini=indicator_settings({"Status": 3, "dStatus": 3}), local_time="12:00:00")
    indicator = Indicator(clock)
    indicator.wait_colours((BG, TIME, DATE), (MEM, RAM))
    # Each step: boxes expected at opening, boxes set before OK, colours then shown.
    steps = [
        ((1, 1, 0, 0), (0, 0, 0, 1), (RAM,), (TIME, DATE, MEM)),
        ((0, 0, 0, 1), (1, 0, 1, 0), (TIME, MEM), (DATE, RAM)),
        # Memory figures off: the memory choice (1) is kept but its box opens clear.
        ((1, 0, 1, 0), (1, 1, 0, 0), (TIME, DATE), (MEM, RAM)),
        ((1, 1, 0, 0), (0, 1, 1, 1), (DATE, MEM, RAM), (TIME,)),
    ]
    for at_opening, chosen, shown, hidden in steps:
        dialog = ClockSettings.open(clock)
        assert dialog.shown_boxes() == at_opening
        dialog.set_shown_boxes(chosen)
        dialog.end(H.IDOK)
        indicator.wait_colours(shown, hidden)
    # Frame and short date take effect on OK too.
    dialog = ClockSettings.open(clock)
    assert (dialog.checked(C.BORDER), dialog.checked(C.SHORT_DATE)) == (0, 0)
    dialog.set_checked(C.BORDER, 1)
    dialog.set_checked(C.SHORT_DATE, 1)
    dialog.end(H.IDOK)
    indicator.wait_colours((LIGHT, DARK), ())
    assert clock.close() == 0
    status = clock.ini()["Status"]
    assert (status["Status"], status["dStatus"], status["Key"], status["ShortDt"]) == ("5", "3", "1", "1")


def test_preview_and_standard_then_cancel_or_ok(clocks, driver, shot):
    clock = clocks.start(ini=indicator_settings({"Status": 6, "dStatus": 3}), local_time="12:00:00")
    dialog = ClockSettings.open(clock)
    time.sleep(0.3)
    # Each display box's caption in its figure's colour on the background;
    # the border box as Windows paints it.
    for box, colour in zip(C.SHOWN_BOXES, (TIME, DATE, MEM, RAM)):
        c = dialog.colours_of(box)
        assert BG in c and colour in c, (box, hex(colour))
    assert BG not in dialog.colours_of(C.BORDER)
    shot("custom-colours")

    dialog.press(C.STANDARD)
    wait_for(lambda: DEFAULTS[1] in dialog.colours_of(C.SHOW_TIME), what="the preview in the standard colours")
    dialog.end(H.IDCANCEL)
    time.sleep(1.2)
    indicator = Indicator(clock)
    indicator.wait_colours(COLOURS, DEFAULTS[1:])

    dialog = ClockSettings.open(clock)
    assert TIME in dialog.colours_of(C.SHOW_TIME), "Cancel dropped it"
    dialog.press(C.STANDARD)
    dialog.end(H.IDOK)
    indicator.wait_colours(DEFAULTS, COLOURS)
    assert clock.close() == 0
    assert clock.ini()["Colors"]["Colors"] == H.Ini(H.default_settings(None))["Colors"]["Colors"]


def choose_colour(dialog, button, rgb=None, custom_slot=None, add_to_custom=False):
    """Opens the colour chooser from `button`; either types `rgb` (r, g, b) into
    its fields or clicks custom slot `custom_slot`, then OK."""
    chooser = dialog.open_colour_chooser(button)
    assert not dialog.driver.enabled(dialog.hwnd), "the settings dialog is disabled under its chooser"
    if rgb is not None:
        chooser.type_rgb(rgb)
    if add_to_custom:
        chooser.add_to_custom()
    if custom_slot is not None:
        chooser.click_custom_slot(custom_slot)
    chooser.end(H.IDOK)


def test_colour_chooser_reaches_indicator_and_file_and_keeps_custom_colours(clocks, driver):
    picked = (0x12, 0x9A, 0xE4)
    picked_ref = picked[0] | picked[1] << 8 | picked[2] << 16
    clock = clocks.start(ini=indicator_settings({"Status": 3}), local_time="12:00:00")
    indicator = Indicator(clock)
    dialog = ClockSettings.open(clock)
    choose_colour(dialog, C.TIME_COLOUR, rgb=picked, add_to_custom=True)
    wait_for(lambda: picked_ref in dialog.colours_of(C.SHOW_TIME), what="the preview in the chosen colour")
    dialog.end(H.IDOK)
    indicator.wait_colours((BG, picked_ref, DATE), (TIME,))

    # Another opening: the custom colour added above is still there; an unused
    # custom slot (0xFFFFFFFF) gives white, not a value the file cannot hold.
    dialog = ClockSettings.open(clock)
    choose_colour(dialog, C.DATE_COLOUR, custom_slot=0)
    choose_colour(dialog, C.BACKGROUND, custom_slot=1)
    dialog.end(H.IDOK)
    indicator.wait_colours((0xFFFFFF, picked_ref), (BG, DATE))
    assert clock.close() == 0
    saved = clock.ini()["Colors"]["Colors"]
    assert saved == f"ffffff,{picked_ref:06x},{picked_ref:06x},{MEM:06x},{RAM:06x}"

    again = clocks.start(cwd=clock.workdir, local_time="12:00:00")
    Indicator(again).wait_colours((0xFFFFFF, picked_ref), (BG, DATE, DEFAULTS[1]))
    assert again.close() == 0


def test_font_chooser_and_system_font_act_at_once_and_survive_cancel(clocks, driver):
    clock = clocks.start(ini=indicator_settings({"Status": 0}), local_time="12:00:00")
    indicator = Indicator(clock)
    wait_for(lambda: indicator.height() > 3, what="the indicator sized")
    small = indicator.height()
    dialog = ClockSettings.open(clock)
    font_button = dialog.item(C.FONT)
    chooser = dialog.open_font_chooser()
    chooser.pick_size("36")
    assert chooser.title() == "Font"  # Windows' own chooser
    assert not driver.enabled(dialog.hwnd), "the chooser belongs to the settings dialog"
    chooser.end(H.IDOK)
    # The indicator grows while the settings dialog is still open; the keys
    # stay in the dialog, and the indicator under it stays disabled.
    wait_for(lambda: indicator.height() > small * 2, what="the indicator in the bigger font")
    wait_for(lambda: driver.focus(dialog.hwnd)[0] == font_button, what="the focus back on the font button")
    assert driver.enabled(dialog.hwnd) and not driver.enabled(clock.hwnd)
    driver.keys("tab")
    wait_for(lambda: driver.focus(dialog.hwnd)[0] == dialog.item(C.STANDARD), what="Tab to the next button")
    driver.keys("esc")  # Cancel
    wait_for(dialog.gone, what="Escape to close the dialog")
    time.sleep(1.2)
    big = indicator.height()
    assert big > small * 2, "Cancel keeps the font"

    dialog = ClockSettings.open(clock)
    dialog.press(C.SYSTEM_FONT)
    wait_for(lambda: indicator.height() < big, what="the indicator back in the system font")
    # Cancelled, the chooser hands the focus back to the font button as well,
    # and Alt+F4 then closes the dialog alone.
    chooser = dialog.open_font_chooser()
    wait_for(lambda: driver.focus(chooser.hwnd)[2] == chooser.hwnd, what="the chooser in the foreground")
    driver.keys("esc")
    wait_for(chooser.gone, what="Escape to close the chooser")
    wait_for(lambda: driver.focus(dialog.hwnd)[0] == dialog.item(C.FONT), what="the focus back on the font button")
    assert not driver.enabled(clock.hwnd)
    driver.keys("alt+f4")
    wait_for(dialog.gone, what="Alt+F4 to close the dialog")
    assert clock.running and driver.enabled(clock.hwnd)
    assert clock.close() == 0
    font = clock.ini()["Font"]
    assert (font["Name"], font["Size"], font["Italic"], font["Weight"], font["CharSet"]) == (
        "System", "-13", "0", "700", "204")


def test_font_chooser_choice_is_saved(clocks, driver):
    clock = clocks.start(ini=indicator_settings({"Status": 0}), local_time="12:00:00")
    dialog = ClockSettings.open(clock)
    chooser = dialog.open_font_chooser()
    chooser.pick_size("20")
    face = chooser.face()
    chooser.end(H.IDOK)
    dialog.end(H.IDOK)
    assert clock.close() == 0
    font = clock.ini()["Font"]
    assert font["Name"] == face and int(font["Size"]) <= -20


@pytest.mark.parametrize("edition", ["271", "262"])
def test_nothing_to_show_ends_the_program_through_the_normal_close(clocks, driver, edition):
    clock = clocks.start(edition, ini=indicator_settings({"Status": 4, "dStatus": 2}), local_time="12:00:00")
    clock.command(H.SC_MINIMIZE)
    wait_for(lambda: not clock.visible(), what="the indicator in the tray")
    dialog = ClockSettings.open(clock)
    dialog.set_shown_boxes((0, 0, 0, 0))
    driver.post(dialog.hwnd, H.WM_COMMAND, H.IDOK, 0)
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
    monkeypatch.setattr(H.base, "DIST", folder)
    clock = clocks.start(ini=indicator_settings(), local_time="12:00:00")
    dialog = ClockSettings.open(clock)
    dialog.press(C.CONTROL_PANEL)
    log = folder / "Control.log"
    wait_for(log.exists, what="Control.exe to run")
    _cwd, parameters, _line = wait_for(lambda: log.read_text("utf-8").splitlines(), what="its record")[0].split("\t")
    assert parameters == "Timedate.cpl"
    dialog.end(H.IDCANCEL)
    assert clock.close() == 0


@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_a_refused_whole_minute_is_told_and_the_dialog_stays(clocks, driver, language):
    # Wine refuses any real change of its clock, as Windows does for a user
    # without the right to change the system time.
    clock = clocks.start(ini=indicator_settings(language=language), local_time="10:20:10")
    dialog = ClockSettings.open(clock)
    dialog.press(C.WHOLE_MINUTE)
    boxes = clock.wait_message_boxes(1, owner=dialog.hwnd)
    expected = (C.NOT_SET_CAPTION.in_language(language), C.NOT_SET_NO_RIGHT.in_language(language))
    assert len(boxes) == 1 and (boxes[0].caption, boxes[0].text) == expected
    clock.dismiss(boxes[0])
    assert driver.exists(dialog.hwnd) and driver.enabled(dialog.hwnd)
    dialog.end(H.IDCANCEL)
    assert clock.close() == 0


# Each control with the text it shows, in both languages.
TEXTS = {C.HEADS: C.HEADS_TEXT, C.BORDER: C.BORDER_TEXT, C.SHOW_TIME: C.SHOW_TIME_TEXT,
         C.SHOW_DATE: C.SHOW_DATE_TEXT, C.SHOW_MEMORY: C.SHOW_MEMORY_TEXT, C.SHOW_RAM: C.SHOW_RAM_TEXT,
         C.SHORT_DATE: C.SHORT_DATE_TEXT, C.STANDARD: C.STANDARD_TEXT, C.BACKGROUND: C.BACKGROUND_TEXT,
         C.FONT: C.FONT_TEXT, C.WHOLE_MINUTE: C.WHOLE_MINUTE_TEXT, H.IDCANCEL: C.CANCEL_TEXT,
         C.DATE_FORMAT: C.DATE_FORMAT_TEXT}
LABELS = {H.IDOK: C.OK_LABEL, C.SYSTEM_FONT: C.SYSTEM_FONT_LABEL, C.CONTROL_PANEL: C.CONTROL_PANEL_LABEL,
          C.TIME_COLOUR: C.COLOUR_LABEL, C.DATE_COLOUR: C.COLOUR_LABEL, C.MEMORY_COLOUR: C.COLOUR_LABEL,
          C.RAM_COLOUR: C.COLOUR_LABEL}


@pytest.mark.parametrize("edition", ["271", "262"])
@pytest.mark.parametrize("language", ["Rus", "Eng"])
def test_texts_by_language_and_heads_per_edition(clocks, driver, shot, edition, language):
    clock = clocks.start(edition, ini=indicator_settings(language=language), locale="ru" if language == "Rus" else "en",
                         local_time="12:00:00")
    dialog = ClockSettings.open(clock)
    assert dialog.title() == C.CAPTION.in_language(language)
    for ident, text in TEXTS.items():
        assert dialog.text(ident) == text.in_language(language), ident
    for ident, text in LABELS.items():
        assert dialog.text(ident) == text, ident
    # The heads stand 12 dialog units above the border box here, 10 in the
    # earlier edition; the border box stands 11 above the time box.
    top = lambda ident: driver.rect(dialog.item(ident))[1]  # noqa: E731
    heads_gap, unit_gap = top(C.BORDER) - top(C.HEADS), top(C.SHOW_TIME) - top(C.BORDER)
    assert heads_gap > unit_gap if edition == "271" else heads_gap < unit_gap
    if edition == "271":
        shot(f"clock-settings-{language}")
    dialog.end(H.IDCANCEL)


def test_second_opening_from_the_tray_has_its_own_working_colours(clocks, driver):
    clock = clocks.start(ini=indicator_settings({"Status": 3}), local_time="12:00:00")
    first = ClockSettings.open(clock)
    first.press(C.STANDARD)
    time_box = lambda d: set(d.colours_of(C.SHOW_TIME))  # noqa: E731
    wait_for(lambda: DEFAULTS[1] in time_box(first), what="standard colours in the first dialog")
    # The tray's menu reaches the indicator while the first dialog is open.
    driver.move(first.hwnd, 0, 400)
    second = ClockSettings.open(clock)
    time.sleep(0.3)
    assert TIME in time_box(second) and DEFAULTS[1] not in time_box(second)
    second.end(H.IDCANCEL)
    assert DEFAULTS[1] in time_box(first)
    first.end(H.IDOK)
    Indicator(clock).wait_colours(DEFAULTS[:3], (TIME, DATE))
    assert clock.close() == 0
