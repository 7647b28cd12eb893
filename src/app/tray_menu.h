// The indicator's system menu, extended with the program's commands, and the
// notification-area icon that stands in for the indicator.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

struct AppState;

HMENU buildSystemMenu(AppState& state, HWND indicator);
// Re-labels the menu and sets the language index from the Russian item's check.
void applyMenuLanguage(AppState& state);
void checkLanguageItems(AppState& state, bool russian);

// Returns false, leaving the indicator where it is, when the icon could not be added.
bool goToTray(AppState& state, HWND indicator);
void leaveTray(AppState& state, HWND indicator);
// After the taskbar was re-created, its icons are gone: add ours again.
void restoreTrayIcon(AppState& state, HWND indicator);
// Out of the tray when it is there, shown and to the front: a second start on
// the same settings file asks for the indicator.
void bringIntoView(AppState& state, HWND indicator);
void updateTrayTooltip(const AppState& state, HWND indicator, const std::string& text);

}  // namespace tikkano
