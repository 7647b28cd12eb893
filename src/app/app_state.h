// Process-wide state of the program: its handles and settings. One thread
// touches it; dialogs and the indicator read and change it in place.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "app/single_copy.h"
#include "settings_file/profile_file.h"
#include "settings_file/settings.h"
#include "dialogs/clock_settings_dialog.h"
#include "display/indicator_font.h"
#include "display/refresh.h"
#include "scheduler/reminder_check.h"

namespace tikkano {

// How far the program is on its way to its end.
struct Ending {
    bool closing = false;  // a close the user asked for is under way (its question may be up)
    bool queried = false;  // the session's end was asked about and not called off
    bool ended = false;    // the windows are going or gone
    // What the close's save is tried with each time.
    Moment closedAt;
    int trayAtClose = 0;
};

struct AppState {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;
    HWND indicator = nullptr;
    // The clock is in the tray now; settings.trayStatus is what the file keeps.
    bool inTray = false;
    HMENU systemMenu = nullptr;
    SettingsFileClaim claim;  // the one settings file this copy runs on
    Settings settings;
    IndicatorFontObjects font;
    ProfileFile profile{std::string()};
    CustomColours customColours;
    RefreshMemory refreshMemory;
    // Set while the settings file, unreadable at start-up, has not been read:
    // the settings the program started on instead (see takeUpSettings).
    std::optional<Settings> startedOnUnread;

    // Today's reminders and the check that fires them; made at start-up once
    // the last closing is known.
    std::unique_ptr<ReminderCheck> reminders;

    Ending ending;
};

AppState& app();

}  // namespace tikkano
