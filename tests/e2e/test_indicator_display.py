"""The indicator on screen: its line of segments, their colours, the frame,
the window's size against the text extent, keeping on screen, the title, the
earlier edition's RAM figure, and no growth of memory over many refreshes."""

import datetime
import time

import harness as H
from harness import wait_for
from harness.leaks import check_no_leak
from harness.timezone import local
from pages.indicator import BG, DARK, DATE, LIGHT, MEM, RAM, TIME, Indicator, columns_of, drag, indicator_settings

DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]


def long_date(day: datetime.date) -> str:
    """The date segment for the default picture "dddd dd MMMM yyyy" in English."""
    return f" {DAYS[day.weekday()]} {day.day:02d} {MONTHS[day.month - 1]} {day.year} "


def test_geometry_with_and_without_frame(clocks, driver, shot):
    # Date only: a line that does not change within the test, equal to the title.
    for key in (0, 1):
        clock = clocks.start(ini=indicator_settings({"Status": 1, "Key": key}), local_time="12:00:00")
        title = wait_for(clock.title, what="the title")
        cx, cy = driver.extent(title)
        b = key
        expected_w, expected_h = cx + 2 * b, cy + 2 * b - 1
        left, top, right, bottom = Indicator(clock).sized(expected_w)
        assert (right - left, bottom - top) == (expected_w, expected_h)
        assert (left, top) == (300, 200)
        pix = driver.pixels(left, top, right, bottom)
        colours = pix.colours()
        assert DATE in colours and BG in colours and TIME not in colours
        if key:
            shot("frame")
            w, h = expected_w, expected_h
            assert all(pix.at(0, y) == LIGHT for y in range(h)), "light left column"
            assert all(pix.at(x, 0) == LIGHT for x in range(w - 1)), "light top row"
            assert all(pix.at(w - 1, y) == DARK for y in range(h)), "dark right column"
            assert all(pix.at(x, h - 1) == DARK for x in range(1, w)), "dark bottom row"
            # Inside the frame only the text's colours.
            inner = {pix.at(x, y) for x in range(1, w - 1) for y in range(1, h - 1)}
            assert LIGHT not in inner and DARK not in inner
        else:
            # No frame: nothing but the text, the date's first blank on the left edge.
            assert LIGHT not in colours and DARK not in colours
            assert all(pix.at(0, y) == BG for y in range(expected_h))
        assert clock.close() == 0


def test_four_segments_in_order_with_custom_font(clocks, driver, shot):
    font = {"Name": "DejaVu Sans", "Size": -16}
    clock = clocks.start(ini=indicator_settings({"Status": 6, "dStatus": 3, "Key": 1}, font=font), local_time="12:00:00")
    indicator = Indicator(clock)
    time.sleep(1.2)
    rect = indicator.sized()
    pix = indicator.pixels(rect)
    spans = {}
    for name, colour in (("time", TIME), ("date", DATE), ("memory", MEM), ("RAM", RAM)):
        xs = columns_of(pix, colour)
        assert xs, f"no {name} colour on the indicator"
        spans[name] = (min(xs), max(xs))
    assert spans["time"][1] < spans["date"][0] < spans["date"][1] < spans["memory"][0]
    assert spans["memory"][1] < spans["RAM"][0]
    assert pix.at(0, 0) == LIGHT and pix.at(pix.width - 1, pix.height - 1) == DARK
    # The custom font is bigger than the System font: the window follows it.
    assert rect[3] - rect[1] >= 16
    shot("four-segments")
    assert clock.close() == 0
    assert clock.ini()["Status"]["Status"] == "6"


def test_display_choice_7_shows_time_and_saves_0(clocks, driver):
    clock = clocks.start(ini=indicator_settings({"Status": 7}), local_time="12:00:00")
    indicator = Indicator(clock)
    rect = indicator.sized()
    # Sized before its first paint reaches the screen: wait for the time to show.
    colours = wait_for(lambda: (lambda c: c if TIME in c else None)(indicator.pixels(rect).colours()),
                       what="the time drawn")
    assert TIME in colours and DATE not in colours and MEM not in colours
    assert clock.close() == 0
    assert clock.ini()["Status"]["Status"] == "0"


def test_empty_line_keeps_a_square_that_drags_and_opens_the_menu(clocks, driver, wine):
    clock = clocks.start(ini=indicator_settings({"Status": 2, "dStatus": 0}))
    indicator = Indicator(clock)
    left, top, right, bottom = wait_for(lambda: (lambda r: r if r[2] - r[0] != 3 else None)(clock.rect()),
                                        what="the first refresh")
    time.sleep(1.2)
    assert clock.rect() == (left, top, right, bottom)
    assert right - left == bottom - top > 2
    assert set(driver.pixels(left, top, right, bottom).colours()) == {BG}, "the square in the background colour"
    assert clock.title().startswith(" ")  # the title still carries the date
    drag(wine.x.display, ((left + right) // 2, (top + bottom) // 2), (100, 150))
    wait_for(lambda: clock.rect() == (left + 100, top + 150, right + 100, bottom + 150),
             what="the square to follow the drag")
    left, top, right, bottom = clock.rect()
    assert indicator.popup_menus() == []
    popup = indicator.right_click_caption(left + 2, top + 2)
    indicator.escape_popup(popup)
    assert clock.close() == 0


def test_kept_on_screen(clocks, driver):
    clock = clocks.start(ini=indicator_settings(), local_time="12:00:00")
    left, top, right, bottom = Indicator(clock).sized()
    width = right - left
    driver.move(clock.hwnd, 1000, 100)
    r = wait_for(lambda: (lambda r: r if r[2] == 1024 else None)(clock.rect()), timeout=5,
                 what="the indicator to come back inside the right edge")
    assert r[1] == 100 and r[2] - r[0] == width
    driver.move(clock.hwnd, 100, 760)
    r = wait_for(lambda: (lambda r: r if r[3] == 768 else None)(clock.rect()), timeout=5,
                 what="the indicator to come back above the bottom edge")
    assert r[0] == 100
    assert clock.close() == 0

    # Wider than the screen: the left edge wins.
    big = {"Name": "DejaVu Sans", "Size": -120}
    clock = clocks.start(ini=indicator_settings({"Status": 3}, font=big, position={"X": 500, "Y": 100}),
                         local_time="12:00:00")
    r = wait_for(lambda: (lambda r: r if r[2] - r[0] > 1024 else None)(clock.rect()),
                 what="the indicator to grow wider than the screen")
    r = wait_for(lambda: (lambda r: r if r[0] == 0 else None)(clock.rect()), timeout=5,
                 what="the wide indicator at the left edge")
    assert r[1] == 100
    assert clock.close() == 0


def test_title_is_the_date_segment_and_follows_midnight(clocks):
    start = local(23, 59, 57)
    clock = clocks.start(ini=indicator_settings({"Status": 0}), local_time=start)
    # The clock reads 23:59:57 or a moment later at its start.
    first = wait_for(clock.title, what="the title")
    today = start.date()
    if first != long_date(today):
        assert first == long_date(today + datetime.timedelta(days=1)), first
    wait_for(lambda: clock.title() == long_date(today + datetime.timedelta(days=1)), timeout=10,
             what="the title of the next day")
    assert clock.close() == 0


def test_earlier_edition_ram_figure_and_no_position_keys(clocks, desktop_clocks, desktop_wine, driver):
    both = indicator_settings({"Status": 2, "dStatus": 2})
    widths = {}
    for edition in ("271", "262"):
        clock = clocks.start(edition, ini=both)
        time.sleep(1.2)
        indicator = Indicator(clock)
        rect = indicator.sized()
        pix = indicator.pixels(rect)
        xs = columns_of(pix, RAM)
        assert xs and MEM not in pix.colours()
        widths[edition] = rect[2] - rect[0]
        assert clock.close() == 0
        clocks.remove_windows_ini()
    # "(NNNk, NN%) " is longer than "NNNk " of the same free memory.
    assert widths["262"] - widths["271"] >= driver.extent("(, %)")[0], widths

    # A change of screen size: the earlier edition only moves back inside.
    d = desktop_wine.driver
    clock = desktop_clocks.start("262", ini=indicator_settings(position={"X": 900, "Y": 100, "X800": 50}))
    Indicator(clock).sized()
    try:
        d.display_mode(800, 600)
        wait_for(lambda: clock.rect()[2] <= 800, what="the indicator inside 800 x 600")
        time.sleep(1.2)
        r = clock.rect()
        assert r[2] == 800 and r[1] == 100, r  # kept at the edge, not moved to X800=50
    finally:
        d.display_mode(1024, 768)
    assert clock.close() == 0
    saved = clock.ini()
    # Nothing remembered for the old size; the stored X800 is left as it was.
    assert set(saved.keys("Position")) == {"TrayStatus", "X", "Y", "X800"}, saved.keys("Position")
    assert saved["Position"]["X800"] == "50"


def test_steady_refreshes_do_not_grow_memory(clocks, driver):
    font = {"Name": "DejaVu Sans", "Size": -14}
    clock = clocks.start(ini=indicator_settings({"Status": 6, "dStatus": 3, "Key": 1}, font=font))
    Indicator(clock).sized()

    def burst(count):
        for _ in range(count // 500):
            driver.post_many(clock.hwnd, H.WM_TIMER, 1, 0, 250)
            driver.post_many(clock.hwnd, H.WM_PAINT, 0, 0, 250)
        # Posted messages are handled in order: going to the tray marks the end.
        clock.command(H.SC_MINIMIZE)
        wait_for(lambda: not clock.visible(), timeout=300, what="the burst to be handled")
        clock.command(H.SC_RESTORE)
        wait_for(clock.visible, what="the indicator back from the tray")

    check_no_leak(clock, burst, count=4000, warm_up=500)
    assert clock.close() == 0
