// One running copy per settings file: a second start on the same file (the
// same full path, whatever the case of its letters) brings the first copy's
// indicator into view and ends, without reading or writing the file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tikkano {

// The settings file this copy runs on, as all copies of either program name it.
struct SettingsFileClaim {
    std::wstring name;       // of the object that the copy on the file holds
    std::uintptr_t mark = 0; // the indicator of that copy carries it
};

SettingsFileClaim claimFor(const std::string& settingsPath);

// True when no other copy runs on the file: this one goes on, holding the
// claim until it ends. False when one does: its indicator was asked to come
// into view, and this copy ends.
bool takeSettingsFile(const SettingsFileClaim& claim);

// Marks the indicator of the copy that holds the claim, for a second start to find.
void markIndicator(HWND indicator, const SettingsFileClaim& claim);

// The message a second start posts to the first copy's indicator.
UINT bringIntoViewMessage();

}  // namespace tikkano
