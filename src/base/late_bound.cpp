#include "base/late_bound.h"

#include <mmsystem.h>

#include <cstddef>
#include <type_traits>

#include "base/gdi_guards.h"

namespace tikkano::late {
namespace {

// The types the functions are called through, written out: a parameter or a
// calling convention that differs from the system's declaration would go
// unnoticed through GetProcAddress and break the stack at the call.
using Shell_NotifyIconA_t = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
using ShellExecuteExA_t = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
using GetOpenFileNameW_t = BOOL(APIENTRY*)(LPOPENFILENAMEW);
using ChooseColorW_t = BOOL(APIENTRY*)(LPCHOOSECOLORW);
using ChooseFontA_t = BOOL(APIENTRY*)(LPCHOOSEFONTA);
using sndPlaySoundA_t = BOOL(WINAPI*)(LPCSTR, UINT);

static_assert(std::is_same_v<decltype(&::Shell_NotifyIconA), Shell_NotifyIconA_t>);
static_assert(std::is_same_v<decltype(&::ShellExecuteExA), ShellExecuteExA_t>);
static_assert(std::is_same_v<decltype(&::GetOpenFileNameW), GetOpenFileNameW_t>);
static_assert(std::is_same_v<decltype(&::ChooseColorW), ChooseColorW_t>);
static_assert(std::is_same_v<decltype(&::ChooseFontA), ChooseFontA_t>);
static_assert(std::is_same_v<decltype(&::sndPlaySoundA), sndPlaySoundA_t>);

#if defined(__i386__) || defined(_M_IX86)
// The records handed to these functions, at the sizes the 32-bit system
// documents; each says its own size in its first field.
static_assert(sizeof(NOTIFYICONDATAA) >= NOTIFYICONDATAA_V1_SIZE && NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(sizeof(OPENFILENAMEW) == 88 && offsetof(OPENFILENAMEW, pvReserved) == 76);
static_assert(sizeof(CHOOSECOLORW) == 36);
static_assert(sizeof(CHOOSEFONTA) == 60 && sizeof(LOGFONTA) == 60);
#endif

// A system DLL by its full path in the system folder, never from the working
// folder or the PATH.
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
    LoadedLibrary module(systemDll(dll));
    if (!module.get()) return nullptr;
    // GetProcAddress returns a generic function pointer; the exported function has this type.
    const auto function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module.get(), name)));
    if (function) module.keep();  // a DLL without the function is not kept
    return function;
}

}  // namespace

BOOL shellNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    static const auto function = resolve<Shell_NotifyIconA_t>(L"shell32.dll", "Shell_NotifyIconA");
    return function ? function(message, data) : FALSE;
}

BOOL shellExecuteEx(SHELLEXECUTEINFOA* info) {
    static const auto function = resolve<ShellExecuteExA_t>(L"shell32.dll", "ShellExecuteExA");
    if (function) return function(info);
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    SetLastError(ERROR_DLL_NOT_FOUND);
    return FALSE;
}

BOOL getOpenFileName(OPENFILENAMEW* chooser) {
    static const auto function = resolve<GetOpenFileNameW_t>(L"comdlg32.dll", "GetOpenFileNameW");
    return function ? function(chooser) : FALSE;
}

BOOL chooseColor(CHOOSECOLORW* chooser) {
    static const auto function = resolve<ChooseColorW_t>(L"comdlg32.dll", "ChooseColorW");
    return function ? function(chooser) : FALSE;
}

BOOL chooseFont(CHOOSEFONTA* chooser) {
    static const auto function = resolve<ChooseFontA_t>(L"comdlg32.dll", "ChooseFontA");
    return function ? function(chooser) : FALSE;
}

BOOL playSound(const char* path, UINT flags) {
    static const auto function = resolve<sndPlaySoundA_t>(L"winmm.dll", "sndPlaySoundA");
    return function ? function(path, flags) : FALSE;
}

}  // namespace tikkano::late
