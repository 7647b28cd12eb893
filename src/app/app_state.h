// Process-wide state of the program: its handles and settings. One thread
// touches it; dialogs and the indicator read and change it in place.
#pragma once

#include <windows.h>

#include <memory>

#include "base/gdi_guards.h"
#include "base/profile_file.h"
#include "base/settings.h"
#include "display/datetime_text.h"
#include "display/indicator_layout.h"
#include "scheduler/reminder_check.h"

namespace tikkano {

// The colour chooser's sixteen custom colours: whatever the user puts there is
// offered again by every opening of the clock settings dialog for the rest of
// the run; never saved.
struct CustomColours {
    COLORREF slots[16];
    CustomColours() {
        for (COLORREF& slot : slots) slot = 0xFFFFFFFF;
    }
};

struct AppState {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;
    HWND indicator = nullptr;
    HMENU systemMenu = nullptr;
    Settings settings;
    LOGFONTA logFont{};
    CHOOSEFONTA fontChooser{};
    OwnedFont customFont;  // none while the face name is "System"
    ProfileFile profile{std::string()};
    CustomColours customColours;

    // What the indicator refresh remembers from one run to the next.
    int lastRefreshDay = -1;
    Rect desktopSeen;  // right edge 0: none seen yet
    LastGoodText lastTimeText;
    LastGoodText lastDateText;

    // Today's reminders and the check that fires them; made at start-up once
    // the last closing is known.
    std::unique_ptr<ReminderCheck> reminders;
};

AppState& app();

// The indicator font from the settings, and the handle made from it when it is custom.
void applyIndicatorFont(AppState& state);

}  // namespace tikkano
