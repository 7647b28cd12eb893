// Process-wide state of the program: its handles and settings. One thread
// touches it; dialogs and the indicator read and change it in place.
#pragma once

#include <windows.h>

#include "app/gdi_guards.h"
#include "app/profile_file.h"
#include "app/settings.h"

namespace tikkano {

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
};

AppState& app();

// The indicator font from the settings, and the handle made from it when it is custom.
void applyIndicatorFont(AppState& state);

}  // namespace tikkano
