#include "base/profile.h"

#include <climits>

namespace tikkano {
namespace {

// What the profile functions take for blanks round keys and values.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a'; }

void trim(const std::string& text, std::size_t& start, std::size_t& length) {
    while (length > 0 && isBlank(text[start])) ++start, --length;
    while (length > 0 && isBlank(text[start + length - 1])) --length;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A section read leaves out lines starting with ";", which a read of that key
// alone still finds; the program's own keys never start so.
bool readAlone(const ProfileSection& section, const std::string& key) {
    return !section.whole() || (!key.empty() && key[0] == ';');
}

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace

ProfileSection::ProfileSection(std::string lines) : lines_(std::move(lines)) {
    std::size_t start = 0;
    while (start < lines_.size()) {
        std::size_t end = lines_.find('\0', start);
        if (end == std::string::npos) end = lines_.size();
        Line line{start, end - start, end, 0, false};
        const std::size_t equals = lines_.find('=', start);
        if (equals < end) {
            line.keyLength = equals - start;
            line.hasValue = true;
            line.value = equals + 1;
            line.valueLength = end - equals - 1;
            trim(lines_, line.value, line.valueLength);
            // One pair of enclosing quotes, single or double, is taken off.
            if (line.valueLength >= 2) {
                const char first = lines_[line.value];
                if ((first == '"' || first == '\'') && lines_[line.value + line.valueLength - 1] == first)
                    ++line.value, line.valueLength -= 2;
            }
        }
        trim(lines_, line.key, line.keyLength);
        const bool comment = line.keyLength > 0 && lines_[line.key] == ';';
        if (!comment && (line.keyLength > 0 || line.hasValue)) index_.push_back(line);
        start = end + 1;
    }
}

ProfileSection ProfileSection::tooLong() {
    ProfileSection section;
    section.whole_ = false;
    return section;
}

std::optional<std::string_view> ProfileSection::find(std::string_view key) const {
    const std::string_view text(lines_);
    for (const Line& line : index_) {
        if (!sameKey(text.substr(line.key, line.keyLength), key)) continue;
        if (!line.hasValue) return std::nullopt;
        return text.substr(line.value, line.valueLength);
    }
    return std::nullopt;
}

const ProfileSection& SectionReads::sectionOf(const std::string& section) const {
    for (const auto& [name, read] : sections_)
        if (name == section) return read;
    sections_.emplace_back(section, profile_.readSection(section));
    return sections_.back().second;
}

ProfileValue SectionReads::value(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return profile_.readValue(section, key, fallback);
    const std::optional<std::string_view> found = read.find(key);
    if (!found) return {fallback, true};
    if (found->size() > kLongestValue) return {std::string(found->substr(0, kLongestValue)), false};
    return {std::string(*found), true};
}

std::string SectionReads::bounded(const std::string& section, const std::string& key, const std::string& fallback,
                                  std::size_t bufferLength) const {
    const std::size_t keep = bufferLength == 0 ? 0 : bufferLength - 1;
    const ProfileSection& read = sectionOf(section);
    if (!readAlone(read, key)) {
        // Only the part the buffer takes is copied.
        const std::optional<std::string_view> found = read.find(key);
        const std::string_view text = found ? *found : std::string_view(fallback);
        return std::string(text.substr(0, keep));
    }
    std::string text = profile_.read(section, key, fallback);
    if (text.size() > keep) text.resize(keep);
    return text;
}

bool SectionReads::empty(const std::string& section, const std::string& key) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return profile_.read(section, key, "").empty();
    const std::optional<std::string_view> found = read.find(key);
    return !found || found->empty();
}

std::optional<std::string_view> SectionReads::held(const std::string& section, const std::string& key) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return std::nullopt;
    return read.find(key);
}

std::string readBounded(const Profile& profile, const std::string& section, const std::string& key,
                        const std::string& fallback, std::size_t bufferLength) {
    std::string value = profile.read(section, key, fallback);
    const std::size_t keep = bufferLength == 0 ? 0 : bufferLength - 1;
    if (value.size() > keep) value.resize(keep);
    return value;
}

int parseDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

}  // namespace tikkano
