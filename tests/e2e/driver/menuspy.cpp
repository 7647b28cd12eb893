// tikkano_menuspy.dll: loaded into a running clock by tikkano_driver. Its one
// export runs on a thread of the clock's process, where the indicator's system
// menu can be read (another process gets no handle to it), and writes the menu
// to a file, one item a line: command id (hex), state flags (hex), text (UTF-8),
// separated by tabs.
#include <windows.h>
#include <commctrl.h>

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

struct Tooltips {
    FILE* out = nullptr;
    DWORD written = 0;
};

// Writes every tool of every tooltip control of this process: tooltip window
// (hex), tool window (hex), tool id (hex), text (UTF-8), separated by tabs.
BOOL CALLBACK dump_tooltip_window(HWND h, LPARAM lp) {
    Tooltips* t = reinterpret_cast<Tooltips*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != GetCurrentProcessId()) return TRUE;
    wchar_t name[64];
    GetClassNameW(h, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    LRESULT count = SendMessageW(h, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW info = {};
        info.cbSize = sizeof info;
        if (!SendMessageW(h, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info))) continue;
        wchar_t text[512] = {0};
        TTTOOLINFOW query = {};
        query.cbSize = sizeof query;
        query.hwnd = info.hwnd;
        query.uId = info.uId;
        query.lpszText = text;
        SendMessageW(h, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&query));
        char utf8[2048] = {0};
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
        std::fprintf(t->out, "%lx\t%lx\t%lx\t%s\n", (unsigned long)(ULONG_PTR)h, (unsigned long)(ULONG_PTR)info.hwnd,
                     (unsigned long)info.uId, utf8);
        ++t->written;
    }
    return TRUE;
}

}  // namespace

// Thread procedure; the parameter is the output path (ANSI). Returns the number
// of tools written, or 0xFFFFFFFF when the file cannot be made.
extern "C" __declspec(dllexport) DWORD WINAPI dump_tooltips(LPVOID param) {
    Tooltips t;
    t.out = std::fopen(static_cast<const char*>(param), "wb");
    if (!t.out) return 0xFFFFFFFFu;
    EnumWindows(dump_tooltip_window, reinterpret_cast<LPARAM>(&t));
    std::fclose(t.out);
    return t.written;
}

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
