// What the indicator shows and how: display and memory choice, colours, frame,
// font, date form; the whole-minute and control panel buttons.
#pragma once

#include <windows.h>

#include "settings_file/settings.h"
#include "display/indicator_font.h"

namespace tikkano {

// The colour chooser's sixteen custom colours: whatever the user puts there is
// offered again by every opening of the dialog for the rest of the run; never saved.
struct CustomColours {
    COLORREF slots[16];
    CustomColours() {
        for (COLORREF& slot : slots) slot = 0xFFFFFFFF;
    }
};

// What the dialog changes of the program's state.
struct ClockSettingsTarget {
    Settings& settings;
    IndicatorFontObjects& font;
    CustomColours& customColours;
};

void openClockSettingsDialog(HWND indicator, const ClockSettingsTarget& target);

}  // namespace tikkano
