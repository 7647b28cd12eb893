#include "app/single_copy.h"


#include "base/wide_text.h"
#include "settings_file/profile_file.h"

namespace tikkano {
namespace {

constexpr wchar_t kIndicatorClassName[] = L"HorvikClass";
constexpr wchar_t kMarkProperty[] = L"Tikkano.SettingsFile";

// A second start made while the first copy is still starting finds its
// indicator within this time, or gives up (and still ends).
constexpr int kLooksForIndicator = 50;
constexpr DWORD kLookPause = 100;  // ms

// Where the profile functions find the file (a full path: the start-up
// folder or the Windows folder), its short folder names made long,
// upper-cased: every spelling of one file gives the same text.
std::wstring fileIdentity(const std::string& settingsPath) {
    std::wstring path = fromAnsi(ProfileFile(settingsPath).location());
    // The folder, which exists before the file does: a copy started before
    // the first save and one started after it name the file alike.
    const std::size_t slash = path.find_last_of(L'\\');
    // A drive's root ("C:") has no short name, and "C:" alone names the current folder.
    if (slash != std::wstring::npos && slash > 0 && path[slash - 1] != L':') {
        const std::wstring folder = path.substr(0, slash);
        const DWORD needed = GetLongPathNameW(folder.c_str(), nullptr, 0);
        std::wstring longer(needed, L'\0');
        const DWORD length = needed ? GetLongPathNameW(folder.c_str(), &longer[0], needed) : 0;
        if (length > 0 && length < needed) path = longer.substr(0, length) + path.substr(slash);
    }
    if (!path.empty()) CharUpperBuffW(&path[0], static_cast<DWORD>(path.size()));
    return path;
}

// FNV-1a: an object name has no room for a long path, nor for its backslashes.
std::uint64_t fingerprint(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t c : text) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

struct Search {
    std::uintptr_t mark;
    HWND found;
};

BOOL CALLBACK matchIndicator(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    wchar_t name[32];
    if (GetClassNameW(window, name, 32) && lstrcmpW(name, kIndicatorClassName) == 0 &&
        reinterpret_cast<std::uintptr_t>(GetPropW(window, kMarkProperty)) == search.mark) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND runningIndicator(std::uintptr_t mark) {
    for (int look = 0; look < kLooksForIndicator; ++look) {
        Search search{mark, nullptr};
        EnumWindows(matchIndicator, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(kLookPause);
    }
    return nullptr;
}

}  // namespace

SettingsFileClaim claimFor(const std::string& settingsPath) {
    const std::uint64_t hash = fingerprint(fileIdentity(settingsPath));
    wchar_t name[48];
    wsprintfW(name, L"Tikkano.Horvik32.%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    // Never 0: a window without the property reads as 0.
    return {name, static_cast<std::uintptr_t>(hash) | 1};
}

bool takeSettingsFile(const SettingsFileClaim& claim) {
    // Held until the process ends, however it ends: the system then lets go.
    HANDLE held = CreateMutexW(nullptr, FALSE, claim.name.c_str());
    // A claim that cannot be made at all does not keep the clock from running.
    if (!held || GetLastError() != ERROR_ALREADY_EXISTS) return true;
    CloseHandle(held);
    if (HWND indicator = runningIndicator(claim.mark)) {
        // This start is the user's: it may give the foreground on.
        DWORD process = 0;
        GetWindowThreadProcessId(indicator, &process);
        AllowSetForegroundWindow(process);
        PostMessageW(indicator, bringIntoViewMessage(), 0, 0);
    }
    return false;
}

void markIndicator(HWND indicator, const SettingsFileClaim& claim) {
    SetPropW(indicator, kMarkProperty, reinterpret_cast<HANDLE>(claim.mark));
}

UINT bringIntoViewMessage() {
    static const UINT message = RegisterWindowMessageW(L"Tikkano.BringIntoView");
    return message;
}

}  // namespace tikkano
