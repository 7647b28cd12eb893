// Commands that send and post messages to windows: their texts, list box
// items, check states, any message by number, and the shell's tray icons.
#include "commands.h"

#include <shellapi.h>

#include <cwchar>

namespace driver {

std::string answer_text(const Args& a) {
    if (!a.need(1)) return "err usage: text HWND";
    HWND h = a.hwnd(1);
    if (!IsWindow(h)) return "err no window";
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
        return "err window does not answer";
    std::vector<wchar_t> text(len + 64, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             5000, &got))
        return "err window does not answer";
    std::string u = wide_to_utf8(text.data(), int(wcslen(text.data())));
    return "ok " + hex_text(u);
}

// settext HWND HEXUTF8 (an empty text is "settext HWND -")
std::string answer_settext(const Args& a) {
    if (a.words.size() != 3 || !a.is_num[1]) return "err usage: settext HWND HEXUTF8";
    std::string u;
    if (a.words[2] != "-" && !unhex(a.words[2], u)) return "err bad hex";
    std::wstring t = utf8_to_wide(u);
    LRESULT r = SendMessageW(a.hwnd(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
    return "ok " + std::to_string((long long)r);
}

// Items of a list box, each hex UTF-8, separated by blanks ("-" for an empty item).
std::string answer_lbitems(const Args& a) {
    if (!a.need(1)) return "err usage: lbitems HWND";
    HWND h = a.hwnd(1);
    LRESULT count = SendMessageW(h, LB_GETCOUNT, 0, 0);
    if (count < 0) return "err not a list box";
    std::string s = "ok " + std::to_string((long long)count);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT len = SendMessageW(h, LB_GETTEXTLEN, i, 0);
        std::vector<wchar_t> item(len > 0 ? len + 1 : 2, 0);
        SendMessageW(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        std::string u = wide_to_utf8(item.data(), int(wcslen(item.data())));
        s += ' ';
        s += u.empty() ? std::string("-") : hex_text(u);
    }
    return s;
}

std::string answer_check(const Args& a) {
    if (!a.need(1)) return "err usage: check HWND";
    return "ok " + std::to_string((long long)SendMessageW(a.hwnd(1), BM_GETCHECK, 0, 0));
}

std::string answer_post(const Args& a) {
    if (!a.need(4)) return "err usage: post HWND MSG WPARAM LPARAM";
    if (!PostMessageW(a.hwnd(1), UINT(a.n[2]), WPARAM(a.n[3]), LPARAM(a.n[4]))) return "err PostMessage failed";
    return "ok";
}

// Posts the same message COUNT times, waiting briefly whenever the queue is full.
std::string answer_postmany(const Args& a) {
    if (!a.need(5)) return "err usage: postmany HWND MSG WPARAM LPARAM COUNT";
    for (long long i = 0; i < a.n[5]; ++i) {
        int tries = 0;
        while (!PostMessageW(a.hwnd(1), UINT(a.n[2]), WPARAM(a.n[3]), LPARAM(a.n[4]))) {
            if (++tries > 5000) return "err PostMessage failed after " + std::to_string(i);
            Sleep(1);
        }
    }
    return "ok";
}

// postregistered HWND NAME: posts the message RegisterWindowMessage gives for NAME.
std::string answer_postregistered(const Args& a) {
    if (a.words.size() < 3 || !a.is_num[1]) return "err usage: postregistered HWND NAME";
    const UINT message = RegisterWindowMessageA(a.words[2].c_str());
    return PostMessageA(a.hwnd(1), message, 0, 0) ? "ok" : "err PostMessage failed";
}

std::string answer_send(const Args& a) {
    if (!a.need(4)) return "err usage: send HWND MSG WPARAM LPARAM";
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(a.hwnd(1), UINT(a.n[2]), WPARAM(a.n[3]), LPARAM(a.n[4]), SMTO_NORMAL, 10000, &result))
        return "err SendMessage failed or timed out";
    return "ok " + std::to_string((long long)(LONG)result);
}

// notifyicon add|delete HWND ID: an icon in the shell's tray in another
// window's name, to take its place or to take its icon away.
std::string answer_notifyicon(const Args& a) {
    if (a.words.size() < 4 || !a.is_num[2] || !a.is_num[3]) return "err usage: notifyicon add|delete HWND ID";
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = a.hwnd(2);
    icon.uID = UINT(a.n[3]);
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "placeholder", sizeof icon.szTip);
    const BOOL done = Shell_NotifyIconA(a.words[1] == "add" ? NIM_ADD : NIM_DELETE, &icon);
    return done ? "ok 1" : "ok 0";
}

}  // namespace driver
