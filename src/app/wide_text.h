// The program's own texts live in the string table as UTF-16 and reach the
// screen through the W functions, so Russian shows right on any ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

std::wstring loadText(HINSTANCE instance, UINT id);
// Text that belongs to the user (settings file, reminders) is ANSI.
std::wstring fromAnsi(const std::string& text);

}  // namespace tikkano
