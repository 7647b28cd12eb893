#include "protocol.h"

#include <cstdio>
#include <cstdlib>

namespace driver {

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

std::string handle_text(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%lx", (unsigned long)(ULONG_PTR)h);
    return buf;
}

HWND as_hwnd(long long v) { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(v)); }

std::string module_dir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

namespace {

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

}  // namespace

bool Args::need(size_t count) const {
    if (words.size() != count + 1) return false;
    for (size_t i = 1; i <= count; ++i)
        if (!is_num[i]) return false;
    return true;
}

Args parse_args(const std::string& line) {
    Args a;
    a.line = line;
    a.words = split(line);
    a.n.assign(a.words.size(), 0);
    a.is_num.assign(a.words.size(), false);
    for (size_t i = 1; i < a.words.size(); ++i) a.is_num[i] = number(a.words[i], a.n[i]);
    return a;
}

}  // namespace driver
