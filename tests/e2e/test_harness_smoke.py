"""The harness itself: the driver, the two Wine locales, local time through TZ
and the settings-file reader."""

import pytest

import harness as H


def test_driver_answers_and_rejects(driver):
    assert driver.raw("ping") == "ok pong"
    assert driver.raw("  ping \r") == "ok pong"
    assert driver.raw("") == "err empty"
    assert driver.raw("no-such-command 1 2") == "err unknown command no-such-command"
    # Each command checks its own arguments.
    assert driver.raw("rect nonsense") == "err usage: rect HWND"
    assert driver.raw("pixel 1") == "err usage: pixel X Y"
    assert driver.raw("menu x out.txt") == "err usage: menu PID OUTFILE"
    assert driver.find("NoSuchWindowClass") is None
    assert driver.screen_size() == (1024, 768)
    # A driver that ended (or missed an answer) is started afresh for the next
    # command instead of failing every test after it.
    driver.proc.kill()
    driver.proc.wait()
    with pytest.raises(H.DriverError):
        driver._exchange("ping", 5)
    assert driver.raw("ping") == "ok pong"


def test_both_locales(wine, driver):
    assert driver.locale() == (1252, 437, 0x0409)
    assert wine.driver_batch(["locale"], locale="ru") == ["ok 1251 866 0x0419"]


def test_tz_for_inverts_the_sign():
    # TZ inverts the sign: ahead of UTC is "-".
    now = 1_700_000_000  # 2023-11-14 22:13:20 UTC
    assert H.tz_for("23:13:20", now) == "TKO-01:00:00"
    assert H.tz_for("20:00:00", now) == "TKO+02:13:20"
    assert H.tz_for("00:00:05", now) == "TKO+22:13:15"
    # Part of a second left of now makes the clock read the wanted second or
    # just after it, never the second before.
    assert H.tz_for("22:13:21", now + 0.4) == "TKO-00:00:01"


def test_ini_reader_keeps_order_and_cp1251():
    raw = H.ini_bytes("[Status]\nLanguage=Rus\n[Alarm]\n07082001=08:00 Обед\n[Font]\nName=System")
    assert b"\r\n" in raw and "Обед".encode("cp1251") in raw
    ini = H.Ini(raw)
    assert ini.section_order == ["Status", "Alarm", "Font"]
    assert ini["Alarm"]["07082001"] == "08:00 Обед"
    assert ini.keys("Font") == ["Name"]


def test_programs_started_are_the_ones_built_for_their_side():
    """Where Wine's 32-bit side runs (natively or under qemu), the tests start
    the very files that go into the zips; elsewhere the 64-bit builds."""
    machine = {32: 0x14C, 64: 0x8664}[H.WINE_BITS]
    for edition, name in H.EDITIONS.items():
        exe = H.program(edition)
        data = exe.read_bytes()
        pe = int.from_bytes(data[0x3C:0x40], "little")
        assert data[pe:pe + 4] == b"PE\0\0" and int.from_bytes(data[pe + 4:pe + 6], "little") == machine, exe
        if H.WINE_BITS == 32:
            assert exe == H.REPO / "dist" / name
