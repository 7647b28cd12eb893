// The program's name, picture, author, contact lines and description.
#pragma once

#include <windows.h>

#include "settings_file/settings.h"

namespace tikkano {

void openAboutDialog(HWND indicator, HINSTANCE instance, Language language);

}  // namespace tikkano
