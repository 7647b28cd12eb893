"""The indicator on a desk of several monitors (Xorg's dummy driver, laid out
by xrandr while the program runs): it stays where it is put, is never lost off
every monitor, remembers its place for each size of the whole desk, and its
dialogs open on its monitor."""

import pytest

import harness as H
from harness import wait_for
from pages.calendar import Calendar

PRIMARY = (0, 0, 1280, 1024)
RIGHT = (1280, 0, 2304, 768)
LEFT = (-1024, 0, 0, 768)
# xrandr knows no negative places: the primary is moved right instead, and Wine
# counts from the primary's corner.
RIGHT_OF_PRIMARY = ("--output", "DUMMY0", "--mode", "1280x1024", "--pos", "0x0", "--primary",
                    "--output", "DUMMY1", "--mode", "1024x768", "--pos", "1280x0")
LEFT_OF_PRIMARY = ("--output", "DUMMY0", "--mode", "1280x1024", "--pos", "1024x0", "--primary",
                   "--output", "DUMMY1", "--mode", "1024x768", "--pos", "0x0")
SECOND_OFF = ("--output", "DUMMY1", "--off")
INI = "[Status]\nLanguage=Eng\n[Position]\nX=150\nY=0\n"


def after_refreshes(clock, count=2):
    """Waits until the indicator has been drawn anew `count` times (its seconds
    change), so that every refresh step after what came before has run."""
    d = clock.driver
    seen = d.pixels(*clock.rect()).digest()
    for _ in range(count):
        def redrawn():
            nonlocal seen
            now = d.pixels(*clock.rect()).digest()
            changed, seen = now != seen, now
            return changed
        wait_for(redrawn, timeout=5, what="the indicator's next refresh")


def placed(clock, left, top):
    wait_for(lambda: clock.rect()[:2] == (left, top), timeout=5, what=f"the indicator at {left}, {top}")


def within(rect, monitor):
    return monitor[0] <= rect[0] and rect[2] <= monitor[2] and monitor[1] <= rect[1] and rect[3] <= monitor[3]


@pytest.mark.parametrize("edition", ["271", "262"])
def test_second_monitor_place_calendar_unplug_and_return(edition, monitors_clocks, monitors_wine, xorg_monitors):
    d = monitors_wine.driver
    xorg_monitors.lay_out(d, [PRIMARY, RIGHT], *RIGHT_OF_PRIMARY)
    clock = monitors_clocks.start(edition, ini=INI, local_time="12:00:00")
    d.move(clock.hwnd, 1500, 100)
    after_refreshes(clock)
    left, top, right, _ = clock.rect()
    assert (left, top) == (1500, 100)
    calendar = Calendar.open(clock)
    assert within(d.rect(calendar.hwnd), RIGHT), d.rect(calendar.hwnd)
    calendar.close_with(H.IDOK)

    on_first = 1280 - (right - left)
    xorg_monitors.lay_out(d, [PRIMARY], *SECOND_OFF)
    placed(clock, on_first, 100)
    xorg_monitors.lay_out(d, [PRIMARY, RIGHT], *RIGHT_OF_PRIMARY)
    if edition == "271":
        placed(clock, 1500, 100)  # where it stood on a desk of this size
    else:
        after_refreshes(clock)  # no position memory: it stays on the first
        assert clock.rect()[:2] == (on_first, 100)
    assert clock.close() == 0
    # One monitor is keyed as ever; both, by the size of the whole desk.
    saved = {"X": "1500", "X2304": "1500", "X1280": str(on_first)} if edition == "271" else {"X": str(on_first)}
    assert clock.ini()["Position"] == {"TrayStatus": "0", "Y": "100", **saved}


@pytest.mark.parametrize("edition", ["271", "262"])
def test_left_of_primary_negative_places_and_a_place_on_no_monitor(edition, monitors_clocks, monitors_wine,
                                                                   xorg_monitors):
    d = monitors_wine.driver
    xorg_monitors.lay_out(d, [PRIMARY, LEFT], *LEFT_OF_PRIMARY)
    clock = monitors_clocks.start(edition, ini=INI, local_time="12:00:00")
    d.move(clock.hwnd, -500, 700)
    after_refreshes(clock)
    assert clock.rect()[:2] == (-500, 700)
    if edition == "271":  # unplugged and back, the negative place is remembered
        xorg_monitors.lay_out(d, [PRIMARY], *SECOND_OFF)
        placed(clock, 0, 700)
        xorg_monitors.lay_out(d, [PRIMARY, LEFT], *LEFT_OF_PRIMARY)
        placed(clock, -500, 700)
    assert clock.close() == 0
    position = clock.ini()["Position"]
    assert (position["X"], position["Y"]) == ("-500", "700")
    if edition == "271":  # counted from the desk's left edge; 0 is "none" as ever
        assert (position["X2304"], position["X1280"]) == ("524", "0"), position

    clock = monitors_clocks.start(edition, ini=clock.ini_path.read_bytes(), local_time="12:00:00")
    after_refreshes(clock)
    assert clock.rect()[:2] == (-500, 700)
    assert clock.close() == 0
    # A place on no monitor (another machine's, say) comes onto the nearest.
    clock = monitors_clocks.start(edition, ini="[Position]\nX=5000\nY=3000\n", local_time="12:00:00")
    wait_for(lambda: clock.rect()[2:] == (1280, 1024), timeout=5, what="the indicator in the primary's corner")
    assert clock.close() == 0
