// Commands that find windows and read their place and state.
#include "commands.h"

#include <cstdio>

namespace driver {
namespace {

std::string class_of(HWND h) {
    wchar_t name[256];
    int n = GetClassNameW(h, name, 256);
    return wide_to_utf8(name, n);
}

struct TopLevelQuery {
    std::wstring cls;
    std::wstring title;
    bool match_title = false;
    HWND owner = nullptr;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_by_class(HWND h, LPARAM lp) {
    TopLevelQuery* q = reinterpret_cast<TopLevelQuery*>(lp);
    wchar_t name[256];
    GetClassNameW(h, name, 256);
    if (q->cls != name) return TRUE;
    if (q->match_title) {
        wchar_t title[512];
        GetWindowTextW(h, title, 512);
        if (q->title != title) return TRUE;
    }
    q->found.push_back(h);
    return TRUE;
}

BOOL CALLBACK collect_owned(HWND h, LPARAM lp) {
    TopLevelQuery* q = reinterpret_cast<TopLevelQuery*>(lp);
    if (GetWindow(h, GW_OWNER) != q->owner) return TRUE;
    wchar_t name[256];
    GetClassNameW(h, name, 256);
    if (q->cls == name) q->found.push_back(h);
    return TRUE;
}

BOOL CALLBACK collect_child(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

std::vector<HWND> find_all(const std::string& cls, const std::string* title) {
    TopLevelQuery q;
    q.cls = utf8_to_wide(cls);
    if (title) {
        q.match_title = true;
        q.title = utf8_to_wide(*title);
    }
    EnumWindows(collect_by_class, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::string join_handles(const std::vector<HWND>& hs) {
    std::string s;
    for (HWND h : hs) {
        if (!s.empty()) s += ' ';
        s += handle_text(h);
    }
    return s;
}

// "find CLASS [TITLE]": the title is all of the line after the class.
std::vector<HWND> windows_of_class_and_title(const Args& a) {
    std::string title;
    size_t at = a.line.find(a.words[1]) + a.words[1].size();
    bool with_title = at < a.line.size();
    if (with_title) title = a.line.substr(at + 1);
    return find_all(a.words[1], with_title ? &title : nullptr);
}

std::string rect_answer(const RECT& r) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::string window_flag(const Args& a, const char* usage, BOOL(WINAPI* test)(HWND)) {
    if (!a.need(1)) return usage;
    if (!IsWindow(a.hwnd(1))) return "err no window";
    return test(a.hwnd(1)) ? "ok 1" : "ok 0";
}

std::string window_long(const Args& a, const char* usage, int index) {
    if (!a.need(1)) return usage;
    if (!IsWindow(a.hwnd(1))) return "err no window";
    char buf[32];
    std::snprintf(buf, sizeof buf, "ok 0x%08lx", (unsigned long)GetWindowLongA(a.hwnd(1), index));
    return buf;
}

}  // namespace

std::string answer_find(const Args& a) {
    if (a.words.size() < 2) return "err usage: find CLASS [TITLE]";
    std::vector<HWND> hs = windows_of_class_and_title(a);
    if (hs.empty()) return "err not found";
    return "ok " + handle_text(hs[0]);
}

std::string answer_findall(const Args& a) {
    if (a.words.size() < 2) return "err usage: findall CLASS [TITLE]";
    return "ok " + join_handles(windows_of_class_and_title(a));
}

std::string answer_wait(const Args& a) {
    if (a.words.size() != 3 || !a.is_num[2]) return "err usage: wait CLASS MS";
    DWORD deadline = GetTickCount() + DWORD(a.n[2]);
    for (;;) {
        std::vector<HWND> hs = find_all(a.words[1], nullptr);
        if (!hs.empty()) return "ok " + handle_text(hs[0]);
        if (LONG(GetTickCount() - deadline) >= 0) return "err timeout";
        Sleep(20);
    }
}

// Visible top-level windows of a class (say, "#32768" for an open popup menu).
std::string answer_visiblewindows(const Args& a) {
    if (a.words.size() != 2) return "err usage: visiblewindows CLASS";
    std::vector<HWND> shown;
    for (HWND h : find_all(a.words[1], nullptr))
        if (IsWindowVisible(h)) shown.push_back(h);
    return "ok " + join_handles(shown);
}

// The dialog boxes a window owns.
std::string answer_owned(const Args& a) {
    if (!a.need(1)) return "err usage: owned HWND";
    TopLevelQuery q;
    q.cls = L"#32770";
    q.owner = a.hwnd(1);
    EnumWindows(collect_owned, reinterpret_cast<LPARAM>(&q));
    return "ok " + join_handles(q.found);
}

// Every descendant: handle, control id and class, one triple per child.
std::string answer_children(const Args& a) {
    if (!a.need(1)) return "err usage: children HWND";
    std::vector<HWND> hs;
    EnumChildWindows(a.hwnd(1), collect_child, reinterpret_cast<LPARAM>(&hs));
    std::string s = "ok";
    for (HWND h : hs) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s:%d:", handle_text(h).c_str(), GetDlgCtrlID(h));
        s += buf + hex_text(class_of(h));
    }
    return s;
}

std::string answer_dlgitem(const Args& a) {
    if (!a.need(2)) return "err usage: dlgitem HWND ID";
    HWND item = GetDlgItem(a.hwnd(1), int(a.n[2]));
    if (!item) return "err no item";
    return "ok " + handle_text(item);
}

std::string answer_pidof(const Args& a) {
    if (!a.need(1)) return "err usage: pidof HWND";
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(a.hwnd(1), &pid)) return "err no window";
    return "ok " + std::to_string(pid);
}

std::string answer_class(const Args& a) {
    if (!a.need(1)) return "err usage: class HWND";
    if (!IsWindow(a.hwnd(1))) return "err no window";
    return "ok " + hex_text(class_of(a.hwnd(1)));
}

std::string answer_exists(const Args& a) {
    if (!a.need(1)) return "err usage: exists HWND";
    return IsWindow(a.hwnd(1)) ? "ok 1" : "ok 0";
}

std::string answer_owner(const Args& a) {
    if (!a.need(1)) return "err usage: owner HWND";
    if (!IsWindow(a.hwnd(1))) return "err no window";
    return "ok " + handle_text(GetWindow(a.hwnd(1), GW_OWNER));
}

std::string answer_rect(const Args& a) {
    if (!a.need(1)) return "err usage: rect HWND";
    RECT r;
    if (!GetWindowRect(a.hwnd(1), &r)) return "err no window";
    return rect_answer(r);
}

// The client area in screen coordinates.
std::string answer_client(const Args& a) {
    if (!a.need(1)) return "err usage: client HWND";
    HWND h = a.hwnd(1);
    RECT r;
    if (!GetClientRect(h, &r)) return "err no window";
    POINT p = {0, 0};
    ClientToScreen(h, &p);
    OffsetRect(&r, p.x, p.y);
    return rect_answer(r);
}

std::string answer_visible(const Args& a) { return window_flag(a, "err usage: visible HWND", IsWindowVisible); }
std::string answer_enabled(const Args& a) { return window_flag(a, "err usage: enabled HWND", IsWindowEnabled); }
std::string answer_style(const Args& a) { return window_long(a, "err usage: style HWND", GWL_STYLE); }
std::string answer_exstyle(const Args& a) { return window_long(a, "err usage: exstyle HWND", GWL_EXSTYLE); }

std::string answer_move(const Args& a) {
    if (!a.need(3)) return "err usage: move HWND X Y";
    if (!SetWindowPos(a.hwnd(1), nullptr, int(a.n[2]), int(a.n[3]), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        return "err SetWindowPos failed";
    return "ok";
}

std::string answer_foreground(const Args&) { return "ok " + handle_text(GetForegroundWindow()); }

// focus HWND: the window that holds the keyboard focus in HWND's thread,
// with its control ID, and the thread's active window.
std::string answer_focus(const Args& a) {
    if (!a.need(1)) return "err usage: focus HWND";
    const DWORD thread = GetWindowThreadProcessId(a.hwnd(1), nullptr);
    if (!thread) return "err no window";
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info)) return "err GetGUIThreadInfo failed";
    char buf[128];
    std::snprintf(buf, sizeof buf, "ok %s %d %s", handle_text(info.hwndFocus).c_str(),
                  info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0, handle_text(info.hwndActive).c_str());
    return buf;
}

}  // namespace driver
