// What the indicator shows and how: display and memory choice, colours, frame,
// font, date form; the whole-minute and control panel buttons.
#pragma once

#include <windows.h>

namespace tikkano {

void openClockSettingsDialog(HWND indicator);

}  // namespace tikkano
