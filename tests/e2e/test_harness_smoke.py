"""The harness itself: a plain start and close of the clock program, seen
through the driver, the menu spy and the settings-file reader."""

import datetime
import time

import pytest

import harness as H


def test_driver_answers_and_rejects(driver):
    assert driver.raw("ping") == "ok pong"
    assert driver.raw("no-such-command").startswith("err ")
    assert driver.raw("rect nonsense").startswith("err ")
    assert driver.find("NoSuchWindowClass") is None
    assert driver.screen_size() == (1024, 768)


def test_both_locales(wine, driver):
    assert driver.locale() == (1252, 437, 0x0409)
    assert wine.driver_batch(["locale"], locale="ru") == ["ok 1251 866 0x0419"]


def test_fresh_start_windows_and_close(clocks, driver, shot):
    clock = clocks.start()
    assert driver.window_class(clock.owner) == H.OWNER_CLASS
    assert driver.text(clock.owner) == "Clk"
    assert driver.owner(clock.owner) == 0
    assert not driver.visible(clock.owner)

    assert driver.visible(clock.hwnd)
    assert driver.exstyle(clock.hwnd) & H.WS_EX_TOOLWINDOW
    assert driver.exstyle(clock.hwnd) & H.WS_EX_TOPMOST
    assert driver.style(clock.hwnd) & (H.WS_POPUP | H.WS_SYSMENU) == H.WS_POPUP | H.WS_SYSMENU
    assert driver.pidof(clock.owner) == clock.pid

    # After the first ticks the indicator is sized to its text and the owner
    # has still never been shown.
    time.sleep(1.5)
    left, top, right, bottom = clock.rect()
    assert right - left > 3 and bottom - top > 3
    assert not driver.visible(clock.owner)
    shot("running")
    colours = driver.pixels(left, top, right, bottom).colours()
    for name, colour in (("black background", 0x000000), ("green time", 0x00FF00), ("yellow date", 0x00FFFF)):
        assert colour in colours, f"no {name} on the indicator: {sorted(colours)[:10]}"

    assert clock.close() == 0
    assert not driver.exists(clock.hwnd)
    ini = clock.ini()
    assert ini is not None, "closing did not write Horvik32.ini"
    assert ini.section_order == ["Status", "Position", "Alarm", "Colors", "Font"]
    assert ini["Position"]["X"] == str(left)
    assert ini["Position"]["Y"] == str(top)


def test_system_menu_read_by_id(clocks):
    clock = clocks.start(ini="[Status]\nLanguage=Eng\n")
    menu = clock.menu()
    assert menu[1002].checked and not menu[1001].checked
    assert menu[1001].text == "Русский"
    assert menu[5].checked
    assert H.SC_MINIMIZE in menu and H.SC_RESTORE not in menu

    clock.command(1001)
    deadline = time.monotonic() + 5
    while not clock.menu()[1001].checked and time.monotonic() < deadline:
        time.sleep(0.1)
    menu = clock.menu()
    assert menu[1001].checked and not menu[1002].checked
    assert clock.close() == 0
    assert clock.ini()["Status"]["Language"] == "Rus"


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


def test_virtual_desktop_changes_size(desktop_clocks, desktop_wine):
    driver = desktop_wine.driver
    clock = desktop_clocks.start(ini="[Position]\nX=900\nY=100\n")
    assert driver.screen_size() == (1024, 768)
    try:
        driver.display_mode(800, 600)
        assert driver.screen_size() == (800, 600)
        # Within a couple of ticks the indicator is back inside the smaller desktop.
        deadline = time.monotonic() + 5
        while clock.rect()[2] > 800 and time.monotonic() < deadline:
            time.sleep(0.2)
        left, top, right, bottom = clock.rect()
        assert 0 <= left and right <= 800 and bottom <= 600
    finally:
        driver.display_mode(1024, 768)
    assert driver.screen_size() == (1024, 768)
    assert clock.close() == 0


@pytest.mark.parametrize("edition", ["271", "262"])
def test_settings_file_place_and_local_time(clocks, edition):
    clock = clocks.start(edition, ini="[Position]\nX=300\nY=200\n", local_time="08:04:30")
    assert clock.rect()[:2] == (300, 200)
    assert clock.close() == 0
    ini = clock.ini()
    assert (ini["Position"]["X"], ini["Position"]["Y"]) == ("300", "200")
    today = datetime.datetime.now(datetime.timezone.utc).strftime("%Y%m%d")
    if edition == "271":
        assert clock.ini_path == clock.workdir / H.INI_NAME
        assert ini["Status"]["LastTime"] == today + "0804"
    else:
        # The earlier edition keeps its file in C:\windows and has no LastTime.
        assert clock.ini_path == clocks.session.windows_dir / H.INI_NAME
        assert not (clock.workdir / H.INI_NAME).exists()
        assert "LastTime" not in ini["Status"]
