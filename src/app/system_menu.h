// The indicator's system menu, extended with the program's commands (the rows
// of menu_items.def): its build, its labels and ticks, and the commands.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

struct AppState;

HMENU buildSystemMenu(AppState& state, HWND indicator);
// Labels every item in the interface language and ticks it by the settings.
void applyMenuSettings(AppState& state);
// The label of an item in the interface language.
std::wstring menuItemText(const AppState& state, UINT command);

// Runs a menu command's handler. False when the command is used up: the
// default handling of WM_SYSCOMMAND must not see it.
bool runMenuCommand(HWND indicator, WPARAM command);

// Also what a double-click on the indicator or the tray icon opens.
void openCalendar(HWND indicator);

}  // namespace tikkano
