#include "base/late_bound.h"

#include <mmsystem.h>

namespace tikkano::late {
namespace {

// A system DLL by its full path in the system folder, never from the working
// folder or the PATH. Loaded once; the program keeps it to its end.
HMODULE systemDll(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryW(path);
}

template <typename Function>
Function resolve(const wchar_t* dll, const char* name) {
    const HMODULE module = systemDll(dll);
    if (!module) return nullptr;
    // GetProcAddress returns a generic function pointer; the exported function has this type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

BOOL shellNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    static const auto function = resolve<decltype(&Shell_NotifyIconA)>(L"shell32.dll", "Shell_NotifyIconA");
    return function ? function(message, data) : FALSE;
}

HINSTANCE shellExecute(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder,
                       int show) {
    static const auto function = resolve<decltype(&ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
    // ShellExecute answers 32 or less on failure; ERROR_FILE_NOT_FOUND is one of them.
    return function ? function(owner, verb, file, parameters, folder, show)
                    : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ERROR_FILE_NOT_FOUND));
}

BOOL getOpenFileName(OPENFILENAMEW* chooser) {
    static const auto function = resolve<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    return function ? function(chooser) : FALSE;
}

BOOL chooseColor(CHOOSECOLORW* chooser) {
    static const auto function = resolve<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    return function ? function(chooser) : FALSE;
}

BOOL chooseFont(CHOOSEFONTA* chooser) {
    static const auto function = resolve<decltype(&ChooseFontA)>(L"comdlg32.dll", "ChooseFontA");
    return function ? function(chooser) : FALSE;
}

BOOL playSound(const char* path, UINT flags) {
    static const auto function = resolve<decltype(&sndPlaySoundA)>(L"winmm.dll", "sndPlaySoundA");
    return function ? function(path, flags) : FALSE;
}

}  // namespace tikkano::late
