#include "settings_file/profile.h"

#include <climits>

namespace tikkano {
namespace {

// A section read leaves out lines starting with ";", which a read of that key
// alone still finds; the program's own keys never start so.
bool readAlone(const ProfileSection& section, const std::string& key) {
    return !section.whole() || (!key.empty() && key[0] == ';');
}

}  // namespace

const ProfileSection& SectionReads::sectionOf(const std::string& section) const {
    if (!textRead_) {
        textRead_ = true;
        text_ = profile_.readText();
        // One pass over the text splits every section at once.
        if (text_) sections_ = ProfileSection::allInText(text_);
    }
    // The first section of a name is the one a read finds.
    for (const auto& [name, read] : sections_)
        if (text_ ? sameProfileName(name, section) : name == section) return read;
    if (text_) return absent_;
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

bool Profile::write(const std::string& section, const std::string& key, const std::string& value) {
    return writeAll({{section, key, value}});
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
