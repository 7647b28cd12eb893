// The driver's line protocol: a command line cut into words, and the codings
// answers use (hex-encoded UTF-8 texts, 0x-hex window handles).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

std::string hex_bytes(const void* data, size_t n);
inline std::string hex_text(const std::string& s) { return hex_bytes(s.data(), s.size()); }
bool unhex(const std::string& text, std::string& out);
std::wstring utf8_to_wide(const std::string& s);
std::string wide_to_utf8(const wchar_t* w, int len);
std::string handle_text(HWND h);
HWND as_hwnd(long long v);
// The driver's own folder, with its trailing backslash: the DLLs lie there.
std::string module_dir();

// One command line: its words (words[0] is the command) and each word read as
// a number (decimal or 0x-hex) where it reads as one, 0 where not.
struct Args {
    std::string line;  // as read, with trailing blanks and CR cut off
    std::vector<std::string> words;
    std::vector<long long> n;
    std::vector<bool> is_num;

    // Exactly `count` words after the command, every one a number.
    bool need(size_t count) const;
    HWND hwnd(size_t i) const { return as_hwnd(n[i]); }
};

Args parse_args(const std::string& line);

}  // namespace driver
