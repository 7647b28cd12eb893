// tikkano_menuspy.dll: loaded into a running clock by tikkano_driver. Its one
// export runs on a thread of the clock's process, where the indicator's system
// menu can be read (another process gets no handle to it), and writes the menu
// to a file, one item a line: command id (hex), state flags (hex), text (UTF-8),
// separated by tabs.
#include <windows.h>

#include <cstdio>

namespace {

HWND g_indicator = nullptr;

BOOL CALLBACK find_indicator(HWND h, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != GetCurrentProcessId()) return TRUE;
    char name[64];
    GetClassNameA(h, name, sizeof name);
    if (lstrcmpA(name, "HorvikClass") != 0) return TRUE;
    g_indicator = h;
    return FALSE;
}

}  // namespace

// Thread procedure; the parameter is the output path (ANSI). Returns the number
// of items written, or 0xFFFFFFFF when there is no indicator or no menu.
extern "C" __declspec(dllexport) DWORD WINAPI dump_system_menu(LPVOID param) {
    const char* path = static_cast<const char*>(param);
    g_indicator = nullptr;
    EnumWindows(find_indicator, 0);
    if (!g_indicator) return 0xFFFFFFFFu;
    HMENU menu = GetSystemMenu(g_indicator, FALSE);
    if (!menu) return 0xFFFFFFFFu;
    FILE* out = std::fopen(path, "wb");
    if (!out) return 0xFFFFFFFFu;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        wchar_t text[256] = {0};
        int len = GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        char utf8[1024] = {0};
        if (len > 0) WideCharToMultiByte(CP_UTF8, 0, text, len, utf8, sizeof utf8 - 1, nullptr, nullptr);
        std::fprintf(out, "%x\t%x\t%s\n", id, state, utf8);
    }
    std::fclose(out);
    return DWORD(count < 0 ? 0 : count);
}
