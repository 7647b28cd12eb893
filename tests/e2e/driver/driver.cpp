// tikkano_driver: a console program that runs next to the clock in the same
// Wine prefix and display and does, on request, what a test cannot do from
// Linux: find windows, read their state, post and send messages, read screen
// pixels, read the clock's system menu (through tikkano_menuspy.dll) and ask
// for process memory figures.
//
// Protocol: one command per line on stdin, one answer line on stdout,
// "ok ..." or "err ...", flushed after every answer. Numbers are decimal or
// 0x-hex; window handles are printed as 0x-hex. Texts travel as hex-encoded
// UTF-8 so that Cyrillic survives any code page.
#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string hex_bytes(const void* data, size_t n) {
    static const char digits[] = "0123456789abcdef";
    const unsigned char* p = static_cast<const unsigned char*>(data);
    std::string out;
    out.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        out += digits[p[i] >> 4];
        out += digits[p[i] & 15];
    }
    return out;
}

bool unhex(const std::string& text, std::string& out) {
    if (text.size() % 2) return false;
    out.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        char pair[3] = {text[i], text[i + 1], 0};
        char* end = nullptr;
        long v = std::strtol(pair, &end, 16);
        if (*end) return false;
        out += static_cast<char>(v);
    }
    return true;
}

std::wstring utf8_to_wide(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

std::string wide_to_utf8(const wchar_t* w, int len) {
    if (len <= 0) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w, len, nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, len, &s[0], n, nullptr, nullptr);
    return s;
}

std::string class_of(HWND h) {
    wchar_t name[256];
    int n = GetClassNameW(h, name, 256);
    return wide_to_utf8(name, n);
}

std::string handle_text(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%lx", (unsigned long)(ULONG_PTR)h);
    return buf;
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ') ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

bool number(const std::string& s, long long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 0);
    return *end == 0;
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

// Reads a screen region top-down as R, G, B bytes per pixel.
bool grab(int l, int t, int r, int b, std::vector<unsigned char>& rgb) {
    int w = r - l, h = b - t;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, w, h, screen, l, t, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(mem, old);
        if (ok) {
            rgb.resize(size_t(w) * h * 3);
            const unsigned char* p = static_cast<const unsigned char*>(bits);
            for (size_t i = 0; i < size_t(w) * h; ++i) {
                rgb[i * 3] = p[i * 4 + 2];
                rgb[i * 3 + 1] = p[i * 4 + 1];
                rgb[i * 3 + 2] = p[i * 4];
            }
        }
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

std::string module_dir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

// Runs fn(arg) on a new thread of the target and returns the thread's exit code.
bool remote_call(HANDLE proc, LPTHREAD_START_ROUTINE fn, const std::string& arg, DWORD& result) {
    void* mem = VirtualAllocEx(proc, nullptr, arg.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!mem) return false;
    bool ok = WriteProcessMemory(proc, mem, arg.c_str(), arg.size() + 1, nullptr) != 0;
    if (ok) {
        HANDLE th = CreateRemoteThread(proc, nullptr, 0, fn, mem, 0, nullptr);
        ok = th != nullptr;
        if (th) {
            ok = WaitForSingleObject(th, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(th, &result);
            CloseHandle(th);
        }
    }
    VirtualFreeEx(proc, mem, 0, MEM_RELEASE);
    return ok;
}

ULONG_PTR remote_module_base(DWORD pid, const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    ULONG_PTR base = 0;
    for (BOOL more = Module32First(snapshot, &entry); more && !base; more = Module32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szModule, name) == 0) base = reinterpret_cast<ULONG_PTR>(entry.modBaseAddr);
    CloseHandle(snapshot);
    return base;
}

// Loads tikkano_menuspy.dll into the target and runs one of its exports there
// (dump_system_menu: the indicator's system menu; dump_tooltips: the texts of
// the process's tooltip controls), which writes into out_path. Answers the
// number of items written.
std::string spy_call(DWORD pid, const std::string& out_path, const char* export_name) {
    std::string dll = module_dir() + "tikkano_menuspy.dll";
    HMODULE local = LoadLibraryA(dll.c_str());
    if (!local) return "err cannot load " + dll;
    FARPROC local_fn = GetProcAddress(local, export_name);
    if (!local_fn) return std::string("err no export ") + export_name;
    HANDLE proc = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                  PROCESS_VM_WRITE | PROCESS_VM_READ,
                              FALSE, pid);
    if (!proc) return "err cannot open process";
    FARPROC load_library = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    DWORD loaded = 0;
    std::string answer;
    // A thread's exit code holds only 32 bits of the module handle: in a 64-bit
    // target the base comes from the target's module list instead.
    ULONG_PTR remote_base = 0;
    if (remote_call(proc, reinterpret_cast<LPTHREAD_START_ROUTINE>(load_library), dll, loaded) && loaded)
        remote_base = remote_module_base(pid, "tikkano_menuspy.dll");
    if (remote_base == 0) {
        answer = "err LoadLibraryA failed in the target";
    } else {
        ULONG_PTR offset = (ULONG_PTR)local_fn - (ULONG_PTR)local;
        auto fn = reinterpret_cast<LPTHREAD_START_ROUTINE>(remote_base + offset);
        DWORD items = 0;
        if (!remote_call(proc, fn, out_path, items))
            answer = "err remote call failed";
        else if (items == 0xFFFFFFFFu)
            answer = std::string("err ") + export_name + " found nothing to read in the target";
        else
            answer = "ok " + std::to_string(items);
    }
    CloseHandle(proc);
    return answer;
}

// The handles a process holds, counted in the system's list of all handles
// (SystemHandleInformation), for when GetProcessHandleCount answers nothing.
DWORD handles_in_system_list(DWORD pid) {
    struct Entry {
        ULONG owner_pid;
        BYTE object_type, flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    using Query = LONG(WINAPI*)(int, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    const int kSystemHandleInformation = 16;
    std::vector<unsigned char> buffer(1 << 16);
    ULONG needed = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()), &needed)) ==
               LONG(0xC0000004) /* STATUS_INFO_LENGTH_MISMATCH */ && buffer.size() < (64u << 20))
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status != 0) return 0;
    const ULONG total = *reinterpret_cast<ULONG*>(buffer.data());
    const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD count = 0;
    for (ULONG i = 0; i < total; ++i)
        if (entries[i].owner_pid == pid) ++count;
    return count;
}

HWND as_hwnd(long long v) { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(v)); }

// Key names of the "keys" command.
struct KeyName {
    const char* name;
    WORD key;
};
const KeyName key_names[] = {
    {"tab", VK_TAB},     {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"space", VK_SPACE},  {"up", VK_UP},
    {"down", VK_DOWN},   {"left", VK_LEFT},    {"right", VK_RIGHT}, {"pgup", VK_PRIOR},  {"pgdn", VK_NEXT},
    {"home", VK_HOME},   {"end", VK_END},      {"delete", VK_DELETE}, {"apps", VK_APPS}, {"f10", VK_F10},
    {"f4", VK_F4},
    {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"alt", VK_MENU},
};

INPUT key_input(WORD key, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = scan ? scan : WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    switch (key) {  // the keys of the navigation block are extended keys
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_PRIOR: case VK_NEXT:
    case VK_HOME: case VK_END: case VK_DELETE: case VK_APPS:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    }
    return in;
}

// One chord ("tab", "shift+tab", "ctrl+pgdn", "shift+f10") pressed and let go,
// or "text:HEXUTF8" typed as characters.
bool chord_inputs(const std::string& chord, std::vector<INPUT>& inputs) {
    if (chord.compare(0, 5, "text:") == 0) {
        std::string u;
        if (!unhex(chord.substr(5), u)) return false;
        for (wchar_t c : utf8_to_wide(u)) {
            inputs.push_back(key_input(0, WORD(c), KEYEVENTF_UNICODE));
            inputs.push_back(key_input(0, WORD(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
        }
        return true;
    }
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
        const size_t plus = chord.find('+', start);
        const std::string name = chord.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        WORD key = 0;
        for (const KeyName& k : key_names)
            if (name == k.name) key = k.key;
        if (!key && name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
            key = WORD(std::toupper(static_cast<unsigned char>(name[0])));
        if (!key) return false;
        keys.push_back(key);
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    for (WORD key : keys) inputs.push_back(key_input(key, 0, 0));
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) inputs.push_back(key_input(*k, 0, KEYEVENTF_KEYUP));
    return true;
}

BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
    char one[64];
    std::snprintf(one, sizeof one, " %ld,%ld,%ld,%ld", r->left, r->top, r->right, r->bottom);
    *reinterpret_cast<std::string*>(out) += one;
    return TRUE;
}

std::string run(const std::string& line) {
    std::vector<std::string> w = split(line);
    if (w.empty()) return "err empty";
    const std::string& cmd = w[0];
    std::vector<long long> n(w.size(), 0);
    std::vector<bool> is_num(w.size(), false);
    for (size_t i = 1; i < w.size(); ++i) is_num[i] = number(w[i], n[i]);
    auto need = [&](size_t count) {
        if (w.size() != count + 1) return false;
        for (size_t i = 1; i <= count; ++i)
            if (!is_num[i]) return false;
        return true;
    };
    char buf[256];

    if (cmd == "find" || cmd == "findall") {
        if (w.size() < 2) return "err usage: " + cmd + " CLASS [TITLE]";
        std::string title;
        size_t at = line.find(w[1]) + w[1].size();
        bool with_title = at < line.size();
        if (with_title) title = line.substr(at + 1);
        std::vector<HWND> hs = find_all(w[1], with_title ? &title : nullptr);
        if (cmd == "findall") return "ok " + join_handles(hs);
        if (hs.empty()) return "err not found";
        return "ok " + handle_text(hs[0]);
    }
    if (cmd == "wait") {
        if (w.size() != 3 || !is_num[2]) return "err usage: wait CLASS MS";
        DWORD deadline = GetTickCount() + DWORD(n[2]);
        for (;;) {
            std::vector<HWND> hs = find_all(w[1], nullptr);
            if (!hs.empty()) return "ok " + handle_text(hs[0]);
            if (LONG(GetTickCount() - deadline) >= 0) return "err timeout";
            Sleep(20);
        }
    }
    if (cmd == "owned") {
        if (!need(1)) return "err usage: owned HWND";
        TopLevelQuery q;
        q.cls = L"#32770";
        q.owner = as_hwnd(n[1]);
        EnumWindows(collect_owned, reinterpret_cast<LPARAM>(&q));
        return "ok " + join_handles(q.found);
    }
    if (cmd == "children") {
        // Every descendant: handle, control id and class, one triple per child.
        if (!need(1)) return "err usage: children HWND";
        std::vector<HWND> hs;
        EnumChildWindows(as_hwnd(n[1]), collect_child, reinterpret_cast<LPARAM>(&hs));
        std::string s = "ok";
        for (HWND h : hs) {
            std::snprintf(buf, sizeof buf, " %s:%d:", handle_text(h).c_str(), GetDlgCtrlID(h));
            s += buf + hex_bytes(class_of(h).data(), class_of(h).size());
        }
        return s;
    }
    if (cmd == "pidof") {
        if (!need(1)) return "err usage: pidof HWND";
        DWORD pid = 0;
        if (!GetWindowThreadProcessId(as_hwnd(n[1]), &pid)) return "err no window";
        return "ok " + std::to_string(pid);
    }
    if (cmd == "class") {
        if (!need(1)) return "err usage: class HWND";
        if (!IsWindow(as_hwnd(n[1]))) return "err no window";
        std::string c = class_of(as_hwnd(n[1]));
        return "ok " + hex_bytes(c.data(), c.size());
    }
    if (cmd == "exists") {
        if (!need(1)) return "err usage: exists HWND";
        return IsWindow(as_hwnd(n[1])) ? "ok 1" : "ok 0";
    }
    if (cmd == "rect" || cmd == "client") {
        if (!need(1)) return "err usage: " + cmd + " HWND";
        HWND h = as_hwnd(n[1]);
        RECT r;
        if (cmd == "rect") {
            if (!GetWindowRect(h, &r)) return "err no window";
        } else {
            if (!GetClientRect(h, &r)) return "err no window";
            POINT p = {0, 0};
            ClientToScreen(h, &p);
            OffsetRect(&r, p.x, p.y);
        }
        std::snprintf(buf, sizeof buf, "ok %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
        return buf;
    }
    if (cmd == "visible" || cmd == "enabled") {
        if (!need(1)) return "err usage: " + cmd + " HWND";
        HWND h = as_hwnd(n[1]);
        if (!IsWindow(h)) return "err no window";
        bool v = cmd == "visible" ? IsWindowVisible(h) : IsWindowEnabled(h);
        return v ? "ok 1" : "ok 0";
    }
    if (cmd == "style" || cmd == "exstyle") {
        if (!need(1)) return "err usage: " + cmd + " HWND";
        HWND h = as_hwnd(n[1]);
        if (!IsWindow(h)) return "err no window";
        LONG v = GetWindowLongA(h, cmd == "style" ? GWL_STYLE : GWL_EXSTYLE);
        std::snprintf(buf, sizeof buf, "ok 0x%08lx", (unsigned long)v);
        return buf;
    }
    if (cmd == "owner") {
        if (!need(1)) return "err usage: owner HWND";
        if (!IsWindow(as_hwnd(n[1]))) return "err no window";
        return "ok " + handle_text(GetWindow(as_hwnd(n[1]), GW_OWNER));
    }
    if (cmd == "text") {
        if (!need(1)) return "err usage: text HWND";
        HWND h = as_hwnd(n[1]);
        if (!IsWindow(h)) return "err no window";
        DWORD_PTR len = 0;
        if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
            return "err window does not answer";
        std::vector<wchar_t> text(len + 64, 0);
        DWORD_PTR got = 0;
        if (!SendMessageTimeoutW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_ABORTIFHUNG, 5000, &got))
            return "err window does not answer";
        std::string u = wide_to_utf8(text.data(), int(wcslen(text.data())));
        return "ok " + hex_bytes(u.data(), u.size());
    }
    if (cmd == "settext") {
        // settext HWND HEXUTF8 (an empty text is "settext HWND -")
        if (w.size() != 3 || !is_num[1]) return "err usage: settext HWND HEXUTF8";
        std::string u;
        if (w[2] != "-" && !unhex(w[2], u)) return "err bad hex";
        std::wstring t = utf8_to_wide(u);
        LRESULT r = SendMessageW(as_hwnd(n[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
        return "ok " + std::to_string((long long)r);
    }
    if (cmd == "lbitems") {
        // Items of a list box, each hex UTF-8, separated by blanks ("-" for an empty item).
        if (!need(1)) return "err usage: lbitems HWND";
        HWND h = as_hwnd(n[1]);
        LRESULT count = SendMessageW(h, LB_GETCOUNT, 0, 0);
        if (count < 0) return "err not a list box";
        std::string s = "ok " + std::to_string((long long)count);
        for (LRESULT i = 0; i < count; ++i) {
            LRESULT len = SendMessageW(h, LB_GETTEXTLEN, i, 0);
            std::vector<wchar_t> item(len > 0 ? len + 1 : 2, 0);
            SendMessageW(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            std::string u = wide_to_utf8(item.data(), int(wcslen(item.data())));
            s += ' ';
            s += u.empty() ? std::string("-") : hex_bytes(u.data(), u.size());
        }
        return s;
    }
    if (cmd == "dlgitem") {
        if (!need(2)) return "err usage: dlgitem HWND ID";
        HWND item = GetDlgItem(as_hwnd(n[1]), int(n[2]));
        if (!item) return "err no item";
        return "ok " + handle_text(item);
    }
    if (cmd == "check") {
        if (!need(1)) return "err usage: check HWND";
        return "ok " + std::to_string((long long)SendMessageW(as_hwnd(n[1]), BM_GETCHECK, 0, 0));
    }
    if (cmd == "post") {
        if (!need(4)) return "err usage: post HWND MSG WPARAM LPARAM";
        if (!PostMessageW(as_hwnd(n[1]), UINT(n[2]), WPARAM(n[3]), LPARAM(n[4])))
            return "err PostMessage failed";
        return "ok";
    }
    if (cmd == "send") {
        if (!need(4)) return "err usage: send HWND MSG WPARAM LPARAM";
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(as_hwnd(n[1]), UINT(n[2]), WPARAM(n[3]), LPARAM(n[4]), SMTO_NORMAL, 10000,
                                 &result))
            return "err SendMessage failed or timed out";
        return "ok " + std::to_string((long long)(LONG)result);
    }
    if (cmd == "pixel") {
        if (!need(2)) return "err usage: pixel X Y";
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, int(n[1]), int(n[2]));
        ReleaseDC(nullptr, screen);
        if (c == CLR_INVALID) return "err outside the screen";
        std::snprintf(buf, sizeof buf, "ok 0x%06lx", (unsigned long)c);
        return buf;
    }
    if (cmd == "pixels") {
        // Answer: width, height, then R G B bytes of every pixel, top-down, in hex.
        if (!need(4)) return "err usage: pixels L T R B";
        std::vector<unsigned char> rgb;
        if (!grab(int(n[1]), int(n[2]), int(n[3]), int(n[4]), rgb)) return "err BitBlt failed";
        std::snprintf(buf, sizeof buf, "ok %lld %lld ", n[3] - n[1], n[4] - n[2]);
        return buf + hex_bytes(rgb.data(), rgb.size());
    }
    if (cmd == "screen") {
        std::snprintf(buf, sizeof buf, "ok %d %d %d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
        return buf;
    }
    if (cmd == "monitors") {
        // Answer: GetSystemMetrics(SM_CMONITORS), then each rectangle EnumDisplayMonitors
        // gives, as L,T,R,B, primary first as the system lists it.
        std::string rects;
        EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&rects));
        return "ok " + std::to_string(GetSystemMetrics(SM_CMONITORS)) + rects;
    }
    // Commands answered by the spy DLL inside the process: COMMAND PID OUTFILE.
    static const struct {
        const char* command;
        const char* spy_export;
    } spy_commands[] = {
        {"menu", "dump_system_menu"},        // the indicator's system menu
        {"fontwatch", "watch_font_selection"},
        {"tooltips", "dump_tooltips"},       // the shell's tray keeps the icons' tips there
        {"heapuse", "dump_heap_use"},        // bytes and blocks in use in its Windows heaps
        {"gdiobjects", "dump_gdi_objects"},  // GDI objects it holds
        {"filldccache", "fill_dc_cache"},    // fills Wine's device-context cache
    };
    for (const auto& spy : spy_commands) {
        if (cmd != spy.command) continue;
        if (w.size() < 3 || !is_num[1]) return "err usage: " + cmd + " PID OUTFILE";
        size_t at = line.find(' ', line.find(w[1], cmd.size()));
        return spy_call(DWORD(n[1]), line.substr(at + 1), spy.spy_export);
    }
    if (cmd == "postmany") {
        // Posts the same message COUNT times, waiting briefly whenever the queue is full.
        if (!need(5)) return "err usage: postmany HWND MSG WPARAM LPARAM COUNT";
        for (long long i = 0; i < n[5]; ++i) {
            int tries = 0;
            while (!PostMessageW(as_hwnd(n[1]), UINT(n[2]), WPARAM(n[3]), LPARAM(n[4]))) {
                if (++tries > 5000) return "err PostMessage failed after " + std::to_string(i);
                Sleep(1);
            }
        }
        return "ok";
    }
    if (cmd == "extent") {
        // extent HEXFACE HEIGHT HEXTEXT: GetTextExtentPoint32A of an ANSI text in a
        // font made like the clock's (face "-": the device context's own font).
        if (w.size() != 4 || !is_num[2]) return "err usage: extent HEXFACE HEIGHT HEXTEXT";
        std::string face, text;
        if (w[1] != "-" && !unhex(w[1], face)) return "err bad hex";
        if (w[3] != "-" && !unhex(w[3], text)) return "err bad hex";
        HDC screen = GetDC(nullptr);
        HFONT font = nullptr;
        HGDIOBJ old = nullptr;
        if (!face.empty()) {
            LOGFONTA lf = {};
            lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
            lf.lfHeight = LONG(n[2]);
            font = CreateFontIndirectA(&lf);
            old = SelectObject(screen, font);
        }
        SIZE size = {};
        GetTextExtentPoint32A(screen, text.c_str(), int(text.size()), &size);
        if (font) {
            SelectObject(screen, old);
            DeleteObject(font);
        }
        ReleaseDC(nullptr, screen);
        std::snprintf(buf, sizeof buf, "ok %ld %ld", size.cx, size.cy);
        return buf;
    }
    if (cmd == "move") {
        if (!need(3)) return "err usage: move HWND X Y";
        if (!SetWindowPos(as_hwnd(n[1]), nullptr, int(n[2]), int(n[3]), 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
            return "err SetWindowPos failed";
        return "ok";
    }
    if (cmd == "visiblewindows") {
        // Visible top-level windows of a class (say, "#32768" for an open popup menu).
        if (w.size() != 2) return "err usage: visiblewindows CLASS";
        std::vector<HWND> shown;
        for (HWND h : find_all(w[1], nullptr))
            if (IsWindowVisible(h)) shown.push_back(h);
        return "ok " + join_handles(shown);
    }
    if (cmd == "watch") {
        // watch L T R B MS: polls a screen region for MS milliseconds and reports
        // each change as "before:after", the wall-clock times (Unix milliseconds,
        // from GetSystemTimeAsFileTime) of the last poll that saw the old pixels
        // and of the first that saw the new ones. First number: polls made.
        if (!need(5)) return "err usage: watch L T R B MS";
        auto unix_ms = [] {
            FILETIME ft;
            GetSystemTimeAsFileTime(&ft);
            ULONGLONG t = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
            return double(t - 116444736000000000ULL) / 10000.0;
        };
        std::vector<unsigned char> last, now;
        const double end = unix_ms() + double(n[5]);
        double previous = unix_ms();
        if (!grab(int(n[1]), int(n[2]), int(n[3]), int(n[4]), last)) return "err BitBlt failed";
        long polls = 1;
        std::string changes;
        for (;;) {
            const double before = previous;
            if (!grab(int(n[1]), int(n[2]), int(n[3]), int(n[4]), now)) return "err BitBlt failed";
            const double seen = unix_ms();
            ++polls;
            if (now != last) {
                std::snprintf(buf, sizeof buf, " %.1f:%.1f", before, seen);
                changes += buf;
                last.swap(now);
            }
            previous = seen;
            if (seen >= end) break;
        }
        return "ok " + std::to_string(polls) + changes;
    }
    if (cmd == "handles") {
        // The number of kernel handles a process holds.
        if (!need(1)) return "err usage: handles PID";
        HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, DWORD(n[1]));
        if (!proc) return "err cannot open process";
        DWORD count = 0;
        BOOL ok = GetProcessHandleCount(proc, &count);
        CloseHandle(proc);
        if (!ok) return "err GetProcessHandleCount failed";
        // Wine answers 0 there; its list of every process's handles is real.
        if (count == 0) count = handles_in_system_list(DWORD(n[1]));
        return "ok " + std::to_string(count);
    }
    if (cmd == "procmem") {
        if (!need(1)) return "err usage: procmem PID";
        HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, DWORD(n[1]));
        if (!proc) return "err cannot open process";
        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof pmc;
        BOOL ok = GetProcessMemoryInfo(proc, &pmc, sizeof pmc);
        CloseHandle(proc);
        if (!ok) return "err GetProcessMemoryInfo failed";
        std::snprintf(buf, sizeof buf, "ok %lu %lu %lu", (unsigned long)pmc.PagefileUsage,
                      (unsigned long)pmc.WorkingSetSize, (unsigned long)pmc.PeakPagefileUsage);
        return buf;
    }
    if (cmd == "displaymode") {
        if (!need(2)) return "err usage: displaymode W H";
        DEVMODEA dm = {};
        dm.dmSize = sizeof dm;
        dm.dmPelsWidth = DWORD(n[1]);
        dm.dmPelsHeight = DWORD(n[2]);
        dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        LONG r = ChangeDisplaySettingsExA(nullptr, &dm, nullptr, 0, nullptr);
        if (r != DISP_CHANGE_SUCCESSFUL) return "err ChangeDisplaySettingsExA " + std::to_string(r);
        return "ok";
    }
    if (cmd == "cursor") {
        if (!need(2)) return "err usage: cursor X Y";
        if (!SetCursorPos(int(n[1]), int(n[2]))) return "err SetCursorPos failed";
        return "ok";
    }
    if (cmd == "locale") {
        std::snprintf(buf, sizeof buf, "ok %u %u 0x%04lx", GetACP(), GetOEMCP(), (unsigned long)GetUserDefaultLCID());
        return buf;
    }
    if (cmd == "foreground") {
        return "ok " + handle_text(GetForegroundWindow());
    }
    if (cmd == "cbtblock" || cmd == "cbtunblock") {
        // A global CBT hook (tikkano_cbtblock.dll) that makes the creation of
        // any HorvikClass window fail, until "cbtunblock".
        static HHOOK hook = nullptr;
        if (hook) UnhookWindowsHookEx(hook);
        hook = nullptr;
        if (cmd == "cbtunblock") return "ok";
        HMODULE dll = LoadLibraryA((module_dir() + "tikkano_cbtblock.dll").c_str());
        FARPROC proc = dll ? GetProcAddress(dll, "block_indicator") : nullptr;
        if (!proc) return "err cannot load tikkano_cbtblock.dll";
        hook = SetWindowsHookExA(WH_CBT, reinterpret_cast<HOOKPROC>(proc), dll, 0);
        return hook ? "ok" : "err SetWindowsHookExA failed";
    }
    if (cmd == "notifyicon") {
        // notifyicon add|delete HWND ID: an icon in the shell's tray in another
        // window's name, to take its place or to take its icon away.
        if (w.size() < 4 || !is_num[2] || !is_num[3]) return "err usage: notifyicon add|delete HWND ID";
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = as_hwnd(n[2]);
        icon.uID = UINT(n[3]);
        icon.uFlags = NIF_ICON | NIF_TIP;
        icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        lstrcpynA(icon.szTip, "placeholder", sizeof icon.szTip);
        const BOOL done = Shell_NotifyIconA(w[1] == "add" ? NIM_ADD : NIM_DELETE, &icon);
        return done ? "ok 1" : "ok 0";
    }
    if (cmd == "postregistered") {
        // postregistered HWND NAME: posts the message RegisterWindowMessage gives for NAME.
        if (w.size() < 3 || !is_num[1]) return "err usage: postregistered HWND NAME";
        const UINT message = RegisterWindowMessageA(w[2].c_str());
        return PostMessageA(as_hwnd(n[1]), message, 0, 0) ? "ok" : "err PostMessage failed";
    }
    if (cmd == "textfits") {
        // textfits PID OUTFILE: the texts of the process's dialog controls measured
        // there, each in its own font (see dump_text_fits in menuspy.cpp).
        if (w.size() < 3 || !is_num[1]) return "err usage: textfits PID OUTFILE";
        size_t at = line.find(w[2], line.find(w[1]) + w[1].size());
        return spy_call(DWORD(n[1]), line.substr(at), "dump_text_fits");
    }
    if (cmd == "dpi") {
        HDC dc = GetDC(nullptr);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return "ok " + std::to_string(dpi);
    }
    if (cmd == "hold" || cmd == "release") {
        // hold PATH: opens an existing file without sharing it and keeps it open,
        // as another program can, until "release". Writes to it then fail even
        // for root, where file modes would not stop them.
        static HANDLE held = INVALID_HANDLE_VALUE;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        if (cmd == "release") return "ok";
        if (w.size() < 2) return "err usage: hold PATH";
        const std::string path = line.substr(line.find(w[1], cmd.size()));
        held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) return "err CreateFile failed " + std::to_string(GetLastError());
        return "ok";
    }
    if (cmd == "keys") {
        // keys CHORD[,CHORD...]: real key strokes (SendInput) for the window in
        // the foreground, that is to the control that holds the focus there.
        if (w.size() != 2) return "err usage: keys CHORD[,CHORD...]";
        std::vector<INPUT> inputs;
        size_t start = 0;
        for (;;) {
            const size_t comma = w[1].find(',', start);
            const std::string chord = w[1].substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!chord_inputs(chord, inputs)) return "err unknown key " + chord;
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        const UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        if (sent != inputs.size()) return "err SendInput sent " + std::to_string(sent) + " of " + std::to_string(inputs.size());
        return "ok";
    }
    if (cmd == "focus") {
        // focus HWND: the window that holds the keyboard focus in HWND's thread,
        // with its control ID, and the thread's active window.
        if (!need(1)) return "err usage: focus HWND";
        const DWORD thread = GetWindowThreadProcessId(as_hwnd(n[1]), nullptr);
        if (!thread) return "err no window";
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(thread, &info)) return "err GetGUIThreadInfo failed";
        std::snprintf(buf, sizeof buf, "ok %s %d %s", handle_text(info.hwndFocus).c_str(),
                      info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0, handle_text(info.hwndActive).c_str());
        return buf;
    }
    if (cmd == "ping") return "ok pong";
    return "err unknown command " + cmd;
}

}  // namespace

int main() {
    // Coordinates and fonts as the screen really has them, at any DPI setting:
    // the programs under test are DPI aware too.
    using SetAware = BOOL(WINAPI*)();
    if (auto set_aware = reinterpret_cast<SetAware>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        set_aware();
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    std::string line;
    int c;
    for (;;) {
        line.clear();
        while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += char(c);
        if (c == EOF && line.empty()) break;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line == "quit") {
            std::fputs("ok bye\n", stdout);
            std::fflush(stdout);
            break;
        }
        std::string answer = run(line);
        std::fputs(answer.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        if (c == EOF) break;
    }
    return 0;
}
