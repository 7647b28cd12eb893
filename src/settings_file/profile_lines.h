// The line rules the profile functions read a settings file by, shared by
// the program's whole-text split and its streamed reading. Internal to the
// settings file's reading.
#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tikkano::profile_lines {

// What the profile functions take for blanks round keys and values.
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a'; }

inline void trim(const std::string& text, std::size_t& start, std::size_t& length) {
    while (length > 0 && isBlank(text[start])) ++start, --length;
    while (length > 0 && isBlank(text[start + length - 1])) --length;
}

// One pair of enclosing quotes, single or double, is taken off a value.
inline void unquote(const std::string& text, std::size_t& start, std::size_t& length) {
    if (length < 2) return;
    const char first = text[start];
    if ((first == '"' || first == '\'') && text[start + length - 1] == first) ++start, length -= 2;
}

inline char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // names are mostly written alike: one compare of the bytes
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The lines of a text: "\r" and "\n" each end one, as the profile functions
// split the file.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text), nextReturn_(find('\r')), nextNewline_(find('\n')) {}

    bool done() const { return start_ >= text_.size(); }
    // The next line's start and end.
    std::pair<std::size_t, std::size_t> next() {
        // Each end is searched for once past the last one found: one pass over
        // the text however its lines end.
        if (nextReturn_ < start_) nextReturn_ = find('\r');
        if (nextNewline_ < start_) nextNewline_ = find('\n');
        const std::size_t start = start_, end = std::min(nextReturn_, nextNewline_);
        start_ = end + 1;
        return {start, end};
    }

private:
    std::size_t find(char c) const {
        const void* found = std::memchr(text_.data() + start_, c, text_.size() - start_);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data()) : text_.size();
    }

    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t nextReturn_, nextNewline_;
};

inline std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

// The name a line opens a section with, or nothing for any other line.
inline std::optional<std::string_view> sectionHeader(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

}  // namespace tikkano::profile_lines
