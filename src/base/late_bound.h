#pragma once

// Functions of the shell, common dialog and sound DLLs, loaded on first use.
// The indicator needs none of them to start, and loading them (with all they
// load in turn) was most of what its start-up took beyond a bare window's.
// Each answers as the function itself does when it fails where its DLL cannot
// be loaded.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

namespace tikkano::late {

BOOL shellNotifyIcon(DWORD message, NOTIFYICONDATAA* data);
BOOL shellExecuteEx(SHELLEXECUTEINFOA* info);
BOOL getOpenFileName(OPENFILENAMEW* chooser);
BOOL chooseColor(CHOOSECOLORW* chooser);
BOOL chooseFont(CHOOSEFONTA* chooser);
BOOL playSound(const char* path, UINT flags);

}  // namespace tikkano::late
