"""The indicator on a desk of several monitors (Xorg's dummy driver, laid out
by xrandr while the program runs): it stays where it is put, is never lost off
every monitor, remembers its place for each size of the whole desk, and its
dialogs open on its monitor."""

import pytest

import harness as H
from calendar_helpers import Calendar
from harness import wait_for

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
    after_refreshes(clock)
    d.move(clock.hwnd, 1500, 100)
    after_refreshes(clock)
    left, top, right, bottom = clock.rect()
    assert (left, top) == (1500, 100)
    width = right - left

    calendar = Calendar.open(clock)
    assert within(d.rect(calendar.hwnd), RIGHT), d.rect(calendar.hwnd)
    calendar.close_with(H.IDOK)

    xorg_monitors.lay_out(d, [PRIMARY], *SECOND_OFF)
    placed(clock, 1280 - width, 100)
    xorg_monitors.lay_out(d, [PRIMARY, RIGHT], *RIGHT_OF_PRIMARY)
    if edition == "271":
        placed(clock, 1500, 100)  # where it stood on the desk of this size
    else:
        after_refreshes(clock)  # no position memory: it stays on the first
        assert clock.rect()[:2] == (1280 - width, 100)
    assert clock.close() == 0
    position = clock.ini()["Position"]
    if edition == "271":
        # One monitor is keyed as ever; with both, the virtual screen's size.
        assert (position["X2304"], position["X1280"]) == ("1500", str(1280 - width)), position
        assert "Y1024" not in position
    else:
        assert set(position) == {"TrayStatus", "X", "Y"}, position


@pytest.mark.parametrize("edition", ["271", "262"])
def test_left_of_primary_negative_places_and_a_place_on_no_monitor(edition, monitors_clocks, monitors_wine,
                                                                   xorg_monitors):
    d = monitors_wine.driver
    xorg_monitors.lay_out(d, [PRIMARY, LEFT], *LEFT_OF_PRIMARY)
    clock = monitors_clocks.start(edition, ini=INI, local_time="12:00:00")
    d.move(clock.hwnd, -500, 700)
    after_refreshes(clock)
    assert clock.rect()[:2] == (-500, 700)
    if edition == "271":
        # Unplugged and back: the negative place is remembered and comes back.
        xorg_monitors.lay_out(d, [PRIMARY], *SECOND_OFF)
        placed(clock, 0, 700)
        xorg_monitors.lay_out(d, [PRIMARY, LEFT], *LEFT_OF_PRIMARY)
        placed(clock, -500, 700)
    assert clock.close() == 0
    saved = clock.ini_path.read_bytes()
    position = clock.ini()["Position"]
    assert (position["X"], position["Y"]) == ("-500", "700")
    if edition == "271":
        # Counted from the desk's left edge, so greater than 0; 0 is "none" as ever.
        assert (position["X2304"], position["X1280"]) == ("524", "0"), position

    clock = monitors_clocks.start(edition, ini=saved, local_time="12:00:00")
    after_refreshes(clock)
    assert clock.rect()[:2] == (-500, 700)
    assert clock.close() == 0

    # A place on no monitor (another machine's, say) comes onto the nearest.
    clock = monitors_clocks.start(edition, ini="[Position]\nX=5000\nY=3000\n", local_time="12:00:00")
    wait_for(lambda: within(clock.rect(), PRIMARY) and clock.rect()[2:] == (1280, 1024), timeout=5,
             what="the indicator in the primary's bottom right corner")
    assert clock.close() == 0
