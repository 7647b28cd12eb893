// The program's own texts are UTF-8 in the text table and reach the screen as
// UTF-16 through the W functions, so Russian shows right on any ANSI code page.
#pragma once

#include <windows.h>

#include <string>

#include "base/texts.h"

namespace tikkano {

// An entry of the string table.
std::wstring loadText(HINSTANCE instance, UINT id);
std::wstring fromUtf8(const char* text);
// An entry of the text table in the interface language.
inline std::wstring uiText(int id, Language language) { return fromUtf8(text(id, language)); }
// Text that belongs to the user (settings file, reminders) is ANSI.
std::wstring fromAnsi(const std::string& text);
std::string toAnsi(const std::wstring& text);

}  // namespace tikkano
