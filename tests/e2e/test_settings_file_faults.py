"""The settings file when the system gets in the way: held by another program
at start-up, on a full disk, and a close whose save fails by running out of
memory."""

from __future__ import annotations

import pytest

import harness as H
from test_reminders import box_texts_in_turn, entry, ini, local, no_box_for, stamp

# The rest of a user's settings, after the reminders.
REST = (b"[Position]\r\nX=400\r\nY=300\r\n[Colors]\r\nColors=102030,00ff00,00ffff,ffff00,b4b4b4\r\n"
        b"[Font]\r\nName=Arial\r\nSize=-20\r\n")


@pytest.mark.shipped
def test_a_file_held_at_start_is_taken_up_once_free_and_nothing_fires_twice(clocks, wine):
    """Held past the start-up's retry: the clock starts on the defaults, then,
    once the file is free, takes up its settings and catches up from its
    LastTime (the closing minute's reminder fired before that close). The close
    writes none of the defaults over the user's values."""
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 40, "Closing minute") + entry(10, 29, "Just before now") + entry(23, 0, "Tonight")}
    status = {"Status": "0", "Language": "Eng", "LastTime": stamp(now.replace(hour=9, minute=40))}
    workdir = wine.new_workdir()
    path = workdir / H.INI_NAME
    path.write_bytes(ini(alarm, status) + REST)
    wine.driver.hold(path)
    try:
        clock = clocks.start(cwd=workdir, local_time=now)
        assert clock.rect()[:2] == (150, 0)
        assert clock.message_boxes() == []
    finally:
        wine.driver.release()

    H.wait_for(lambda: clock.rect()[:2] == (400, 300), what="the file's settings taken up")
    assert box_texts_in_turn(clock, 1) == ["10:29 - Just before now"]
    no_box_for(clock)
    assert clock.close() == 0
    saved = clock.ini()
    assert (saved["Status"]["Status"], saved["Status"]["Language"]) == ("0", "Eng")
    assert (saved["Position"]["X"], saved["Position"]["Y"]) == ("400", "300")
    assert saved["Colors"]["Colors"] == "102030,00ff00,00ffff,ffff00,b4b4b4"
    assert (saved["Font"]["Name"], saved["Font"]["Size"]) == ("Arial", "-20")
    assert saved["Status"]["LastTime"] >= stamp(now)


def test_a_close_whose_save_runs_out_of_memory_still_ends(clocks):
    clock = clocks.start(ini="[Status]\nLanguage=Eng\n", env={"TIKKANO_FAULT": "close-save:1:1"})
    clock.post(H.WM_CLOSE)
    [box] = clock.wait_message_boxes(1)
    assert box.text.startswith("The settings were not saved"), box.text
    clock.dismiss(box)
    assert clock.wait_exit() == 0
