// The readings of tikkano_menuspy.dll (see menuspy.cpp) from this process's
// windows: the indicator's system menu (another process gets no handle to
// it), the tooltips' texts and what dialog controls' texts need in their own
// fonts. Each export writes a file, one item a line, fields separated by tabs.
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

struct Listing {
    FILE* out = nullptr;
    DWORD written = 0;
};

// Writes every tool of every tooltip control of this process: tooltip window
// (hex), tool window (hex), tool id (hex), text (UTF-8), separated by tabs.
BOOL CALLBACK dump_tooltip_window(HWND h, LPARAM lp) {
    Listing* t = reinterpret_cast<Listing*>(lp);
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

// Writes, for each static and button of each dialog of this process, what its
// text needs in the control's own font (WM_GETFONT): control (hex), width and
// height on one line, width and height broken into lines at the control's
// client width, client width and height, the font's lfHeight; tab-separated.
BOOL CALLBACK dump_fit(HWND h, LPARAM lp) {
    Listing* t = reinterpret_cast<Listing*>(lp);
    wchar_t name[64];
    GetClassNameW(h, name, 64);
    if (lstrcmpiW(name, L"Static") != 0 && lstrcmpiW(name, L"Button") != 0) return TRUE;
    wchar_t text[1024] = {0};
    SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
    LOGFONTW lf = {};
    if (font) GetObjectW(font, sizeof lf, &lf);
    RECT client;
    GetClientRect(h, &client);
    HDC dc = GetDC(h);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT line = {0, 0, 0, 0};
    DrawTextW(dc, text, -1, &line, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    RECT wrapped = {0, 0, client.right, 0};
    DrawTextW(dc, text, -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    if (font) SelectObject(dc, old);
    ReleaseDC(h, dc);
    std::fprintf(t->out, "%lx\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\n", (unsigned long)(ULONG_PTR)h, line.right,
                 line.bottom, wrapped.right, wrapped.bottom, client.right, client.bottom, long(lf.lfHeight));
    ++t->written;
    return TRUE;
}

BOOL CALLBACK dump_dialog_fits(HWND h, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[64];
    GetClassNameW(h, name, 64);
    if (pid == GetCurrentProcessId() && lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(h))
        EnumChildWindows(h, dump_fit, lp);
    return TRUE;
}

// Lists what `each` writes of every top-level window into the output path
// `param` (ANSI): the number of lines written, or 0xFFFFFFFF when the file cannot be made.
DWORD list_windows(LPVOID param, WNDENUMPROC each) {
    Listing t;
    t.out = std::fopen(static_cast<const char*>(param), "wb");
    if (!t.out) return 0xFFFFFFFFu;
    EnumWindows(each, reinterpret_cast<LPARAM>(&t));
    std::fclose(t.out);
    return t.written;
}

}  // namespace

// Thread procedure: what the texts of the dialogs' statics and buttons need, as list_windows writes it.
extern "C" __declspec(dllexport) DWORD WINAPI dump_text_fits(LPVOID param) {
    return list_windows(param, dump_dialog_fits);
}

// Thread procedure: every tool of every tooltip, as list_windows writes them.
extern "C" __declspec(dllexport) DWORD WINAPI dump_tooltips(LPVOID param) {
    return list_windows(param, dump_tooltip_window);
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
