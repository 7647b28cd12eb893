// The program's name, picture, author, contact lines and description.
#pragma once

#include <windows.h>

namespace tikkano {

void openAboutDialog(HWND indicator);

}  // namespace tikkano
