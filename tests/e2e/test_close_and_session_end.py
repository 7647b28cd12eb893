"""Moving, closing, killing and ending the session: what each saves in the
settings file, and a close over a file another program holds."""

from __future__ import annotations

import time

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import settings_file, utc_day_stamps
from harness.timezone import today
from model import indicator as I
from pages.indicator import CLEAR_PLACE, Indicator, drag


def test_dragging_then_closing_saves_the_new_place(clocks, wine):
    clock = clocks.start(ini=settings_file({"Position": CLEAR_PLACE}))
    Indicator(clock).painted()
    left, top, _, _ = clock.rect()
    drag(wine.x.display, (left + 5, top + 5), (100, 150))
    wait_for(lambda: clock.rect()[:2] == (400, 350), 5, what="the indicator to follow the drag")
    assert clock.close() == 0
    position = clock.ini()["Position"]
    assert (position["X"], position["Y"]) == ("400", "350")

    # The next start puts it back there.
    again = clocks.start(cwd=clock.workdir)
    assert again.rect()[:2] == (400, 350)
    assert again.close() == 0


def test_killing_the_process_saves_nothing(clocks, wine):
    content = settings_file({"Status": {"Status": 0, "Language": "Eng"}, "Position": {**CLEAR_PLACE, "; a comment": None}})
    clock = clocks.start(ini=content)
    Indicator(clock).painted()
    drag(wine.x.display, (305, 205), (60, 40))
    wait_for(lambda: clock.rect()[:2] == (360, 240), 5, what="the indicator to follow the drag")
    clock.kill()
    assert clock.ini_path.read_bytes() == content
    assert [p.name for p in clock.workdir.iterdir()] == [H.INI_NAME]


def test_query_end_session_saves_and_runs_on_until_the_session_ends(clocks):
    """The query saves what a close saves and lets the session end, but the
    clock runs on: only the end of the session itself ends it."""
    day = today()
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    assert clock.send(H.WM_QUERYENDSESSION, 0, 0) == 1
    ini = clock.ini()
    assert (ini["Position"]["X"], ini["Position"]["Y"]) == ("321", "123")
    assert ini["Status"]["LastTime"] in utc_day_stamps("1112", day)
    assert ini.section_order == ["Status", "Position", "Alarm", "Colors", "Font"]
    assert clock.running and clock.visible()

    saved = clock.ini_path.read_bytes()
    clock.send(H.WM_ENDSESSION, 1, 0)
    assert clock.wait_exit() == 0
    assert clock.ini_path.read_bytes() == saved


def test_the_end_of_a_session_without_a_query_saves(clocks):
    day = today()
    clock = clocks.start(ini=settings_file({"Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    clock.send(H.WM_ENDSESSION, 1, 0)
    assert clock.wait_exit() == 0
    assert clock.ini()["Status"]["LastTime"] in utc_day_stamps("1112", day)


def test_a_close_of_the_hidden_owner_saves_as_the_indicators_does(clocks):
    day = today()
    clock = clocks.start(ini=settings_file({"Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    clock.driver.post(clock.owner, H.WM_CLOSE)
    assert clock.wait_exit() == 0
    ini = clock.ini()
    assert (ini["Position"]["X"], ini["Position"]["Y"]) == ("321", "123")
    assert ini["Status"]["LastTime"] in utc_day_stamps("1112", day)


@pytest.mark.parametrize("road", ["close", "end of session"])
def test_a_held_file_at_close_is_told_once_and_the_program_still_ends(clocks, road):
    """Another program holds the settings file open, so nothing can be saved: a
    close says so once, offering to try again, and a second close while it is
    up does nothing; Cancel ends the program. The end of a session shows
    nothing and ends. The file keeps what it held."""
    clock = clocks.start(ini=settings_file({"Status": {"Language": "Eng"}, "Position": {"X": 321, "Y": 123}}), local_time="11:12:30")
    Indicator(clock).painted()
    before = clock.ini_path.read_bytes()
    clock.driver.hold(clock.ini_path)
    try:
        if road == "close":
            box = Indicator(clock).close_to_box()
            assert box.caption == I.NOT_SAVED_CAPTION.english
            assert box.text.startswith(I.SETTINGS_NOT_SAVED.english), box.text
            assert I.CLOSE_RETRY.english in box.text, box.text
            clock.post(H.WM_CLOSE)
            clock.driver.post(clock.owner, H.WM_CLOSE)
            deadline = time.monotonic() + 1.5
            while time.monotonic() < deadline:
                assert [b.hwnd for b in clock.message_boxes()] == [box.hwnd], "a second box"
                time.sleep(0.2)
            clock.dismiss(box, H.IDCANCEL)
        else:
            assert clock.send(H.WM_QUERYENDSESSION, 0, 0) == 1
            clock.send(H.WM_ENDSESSION, 1, 0)
            assert clock.message_boxes() == []
        assert clock.wait_exit() == 0
    finally:
        clock.driver.release()
    assert clock.ini_path.read_bytes() == before
