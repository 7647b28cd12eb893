"""The clock met as an unlucky user meets it: killed hard right after a
reminder fired, started a second time on the same settings file, and a
reminder list confirmed in a Unicode settings file."""

from __future__ import annotations

import subprocess

import pytest

import harness as H
from harness import wait_for
from harness.settings_file import entry, settings_file, stamp
from harness.timezone import local
from model import calendar as C
from model import reminder_list as R
from pages.calendar import Calendar
from pages.reminder_box import next_box, no_box_for


def test_a_kill_after_firing_then_a_restart_fires_nothing_again(clocks):
    """The file keeps how far the day was covered as soon as a pass fires,
    before its box is answered: killed then, the next start fires only what
    fell due after it."""
    now = local(10, 30, 5)
    alarm = {"Day": entry(9, 0, "Nine") + entry(10, 0, "Ten") + entry(10, 33, "After the kill")
             + entry(23, 0, "Tonight")}
    clock = clocks.start(ini=settings_file({"Alarm": alarm}), local_time=now)
    assert next_box(clock).text == "09:00 - Nine"
    wait_for(lambda: (clock.ini() or H.Ini(b"")).get("Status", "LastTime") == stamp(now),
             what="the coverage in the file while the box is open")
    clock.popen.kill()
    clock.popen.wait(10)

    again = clocks.start(local_time=local(10, 35, 5), cwd=clock.workdir)
    box = next_box(again)
    assert box.text == "10:33 - After the kill"
    again.dismiss(box)
    no_box_for(again)
    assert again.close() == 0
    assert again.ini().get("Status", "LastTime") >= stamp(local(10, 35, 0))


def start_and_wait_for_end(session: H.WineSession, edition: str, cwd) -> int:
    """Starts a copy that is expected to end by itself; its exit code."""
    with open(session.logs / f"second-{edition}.log", "ab") as out:
        popen = subprocess.Popen([*session.launcher, "wine", str(H.program(edition))], cwd=cwd, env=session.env,
                                 stdin=subprocess.DEVNULL, stdout=out, stderr=out)
    try:
        return popen.wait(30 * H.TIMEOUT_SCALE)
    finally:
        if popen.poll() is None:
            popen.kill()


def test_a_second_start_on_the_same_file_brings_the_first_forward(clocks, wine):
    """Both programs, started again on a file a copy runs on (the earlier
    edition's in the Windows folder), end at once without touching it; the
    running indicator comes out of the tray. A copy on another file runs."""
    first = clocks.start("271", ini=settings_file({"Alarm": {"Day": entry(23, 59, "Late")}}), local_time="12:00:05",
                         cwd=wine.windows_dir)
    indicators = set(wine.driver.find_all(H.INDICATOR_CLASS))
    before = first.ini_path.read_bytes()
    for edition in ("262", "271"):
        first.command(H.SC_MINIMIZE)
        wait_for(lambda: not first.visible(), what="the indicator in the tray")
        assert start_and_wait_for_end(wine, edition, wine.new_workdir() if edition == "262" else wine.windows_dir) == 0
        wait_for(first.visible, what=f"the indicator out of the tray for the second {edition}")
        assert set(wine.driver.find_all(H.INDICATOR_CLASS)) == indicators
        assert first.ini_path.read_bytes() == before
    elsewhere = clocks.start("271", ini=settings_file({"Alarm": {}}), local_time="12:00:05")
    assert first.running and elsewhere.running
    assert elsewhere.close() == 0 and first.close() == 0


@pytest.mark.parametrize("locale", ["en", "ru"])
def test_ok_in_a_unicode_file_keeps_what_the_code_page_cannot_hold(clocks, locale):
    """A UTF-8 file whose group holds letters the code page lacks (Cyrillic in
    an English Windows, "é" in a Russian one): OK says why it writes nothing,
    the list stays open, the file stays byte for byte. A group that fits is
    written as before, and the other group stays as it was."""
    foreign = "Привет café"
    text = ("[Status]\r\nLanguage=Eng\r\n[Alarm]\r\n"
            f"Day=25: 0,{foreign},\u0192,;25: 1,second,\u0192,;\r\n00=25: 2,plain,,;25: 3,more,,;\r\n")
    clock = clocks.start(ini=b"\xef\xbb\xbf" + text.encode("utf-8"), local_time="12:00:05", locale=locale)
    before = clock.ini_path.read_bytes()
    cal = Calendar.open(clock)
    listing = cal.open_list(C.EVERY_DAY)
    listing.delete(H.IDYES)
    listing.press(H.IDOK)
    box = listing.box()
    assert box.text.startswith(R.UNICODE_KEPT.english), box.text
    clock.dismiss(box)
    assert not listing.gone() and len(listing.lines()) == 1
    listing.close_with(H.IDCANCEL)
    assert clock.ini_path.read_bytes() == before

    listing = cal.open_list(C.WEEKDAY_SUNDAY)
    listing.delete(H.IDYES)
    listing.close_with(H.IDOK)
    after = clock.ini()
    assert after.get("Alarm", "00") == "25: 3,more,,;"
    assert after.get("Alarm", "Day").startswith(f"25: 0,{foreign},")
    cal.close_with(H.IDOK)
    assert clock.close() == 0
