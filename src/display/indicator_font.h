// The indicator's font as Windows objects: the chooser's record, the font
// description it edits, and the handle made from the settings when the face
// is not "System".
#pragma once

#include <windows.h>

#include "base/gdi_guards.h"
#include "settings_file/settings.h"

namespace tikkano {

struct IndicatorFontObjects {
    LOGFONTA logFont{};
    CHOOSEFONTA chooser{};
    OwnedFont custom;  // none while the face name is "System"

    IndicatorFontObjects() = default;
    IndicatorFontObjects(const IndicatorFontObjects&) = delete;
    IndicatorFontObjects& operator=(const IndicatorFontObjects&) = delete;
};

// The chooser set up once, over `objects.logFont`.
void prepareFontChooser(IndicatorFontObjects& objects);

// The font description from the settings, and the handle made from it when it
// is custom, cut to a smaller size where its line would not fit `room` pixels
// (0: no limit). The settings keep the size they hold.
void applyIndicatorFont(const IndicatorFont& font, IndicatorFontObjects& objects, int room);

// The room for the indicator's line: the height of the indicator's monitor
// less the pixel the window may be higher than its text. Before the
// indicator exists (`indicator` null), of the monitor nearest (x, y).
int indicatorFontRoom(HWND indicator, int x, int y);

}  // namespace tikkano
