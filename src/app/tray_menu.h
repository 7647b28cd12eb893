// The notification-area icon that stands in for the indicator, and the menu's
// minimise item that names the way out of the present state.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

struct AppState;

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
