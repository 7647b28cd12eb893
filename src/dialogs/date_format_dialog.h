// The date and time pictures and the switch to the user's system date format.
#pragma once

#include <windows.h>

#include "settings_file/settings.h"

namespace tikkano {

void openDateFormatDialog(HWND owner, Settings& settings);

}  // namespace tikkano
