// The indicator refresh, run for every paint and every tick of the clock.
#pragma once

#include <windows.h>

#include <string>

#include "settings_file/profile.h"
#include "settings_file/settings.h"
#include "display/datetime_text.h"
#include "display/indicator_layout.h"

namespace tikkano {

// What the refresh remembers from one run to the next.
struct RefreshMemory {
    int lastDay = -1;
    Rect desktopSeen;  // right edge 0: none seen yet
    LastGoodText lastTimeText;
    LastGoodText lastDateText;
};

// What the rest of the program does at the refresh's moments, in this order.
// Each may run a message box's loop, and so further refreshes inside it.
class RefreshEvents {
public:
    virtual void newDay(const SYSTEMTIME& now) = 0;
    virtual void newMinute(const SYSTEMTIME& now) = 0;
    virtual void textShown(const std::string& text) = 0;

protected:
    ~RefreshEvents() = default;
};

struct RefreshContext {
    Settings& settings;
    Profile& profile;  // the per-screen-size positions
    HFONT font;        // the custom indicator font, or null for "System"
    RefreshMemory& memory;
    RefreshEvents& events;
    bool inTray;       // nothing is drawn, sized or placed
};

void refreshIndicator(HWND indicator, HDC dc, const RefreshContext& context);

}  // namespace tikkano
