#include "settings_file/write_check.h"

#include "settings_file/profile_lines.h"

#include <memory>
#include <utility>

namespace tikkano {
namespace {

// Lines that do not end in "\r\n" get it in the rewrite: one byte more each,
// two for a last line without an end.
std::uint64_t growthOfLineEnds(const std::string& text) {
    std::uint64_t growth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ++growth;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++growth;
    }
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') growth += 2;
    return growth;
}

// A file as its reads see it: sections in order, each with its lines' keys and
// values, viewed in the texts and names they come from.
using ReadSection = std::pair<std::string_view, std::vector<ProfileSection::Entry>>;
using ReadFile = std::vector<ReadSection>;
using Sections = std::vector<std::pair<std::string, ProfileSection>>;

ReadFile readFileOf(const Sections& sections) {
    ReadFile file;
    file.reserve(sections.size());
    for (const auto& [name, section] : sections) file.emplace_back(name, section.entries());
    return file;
}

// What the profile function does to the file's reads: the first line of the
// key in the first section of its name gets the value; a key or a section
// it does not find is added at the end.
void apply(ReadFile& file, const KeyWrite& write, std::string_view value) {
    for (ReadSection& section : file) {
        if (!sameProfileName(section.first, write.section)) continue;
        for (ProfileSection::Entry& line : section.second)
            if (sameProfileName(line.key, write.key)) {
                line.value = value;
                return;
            }
        section.second.push_back({write.key, value});
        return;
    }
    file.emplace_back(write.section, std::vector<ProfileSection::Entry>{{write.key, value}});
}

bool sameReads(const ReadFile& a, const ReadFile& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::vector<ProfileSection::Entry>& x = a[i].second;
        const std::vector<ProfileSection::Entry>& y = b[i].second;
        if (!sameProfileName(a[i].first, b[i].first) || x.size() != y.size()) return false;
        for (std::size_t j = 0; j < x.size(); ++j)
            if (!sameProfileName(x[j].key, y[j].key) || x[j].value != y[j].value) return false;
    }
    return true;
}

}  // namespace

std::string readAsWritten(const std::string& key, const std::string& value) {
    std::size_t keyStart = 0, keyLength = key.size();
    profile_lines::trim(key, keyStart, keyLength);
    // A comment, or a line the reads split elsewhere, as a read of the line gives it.
    if (keyLength != key.size() || (keyLength > 0 && key[0] == ';') || key.find_first_of(std::string("=\0", 2)) != std::string::npos ||
        value.find('\0') != std::string::npos) {
        const ProfileSection line(key + "=" + value + '\0');
        const std::optional<std::string_view> read = line.find(key);
        return read ? std::string(*read) : std::string();
    }
    std::size_t start = 0, length = value.size();
    profile_lines::trim(value, start, length);
    profile_lines::unquote(value, start, length);
    return value.substr(start, length);
}

std::uint64_t longestAfterWrites(const std::optional<std::string>& text, std::uint64_t length,
                                 const std::vector<KeyWrite>& writes) {
    std::uint64_t longest = text ? text->size() + growthOfLineEnds(*text) : length + 2;
    // "[section]\r\n" and "key=value\r\n" for each.
    for (const KeyWrite& w : writes) longest += w.section.size() + 4 + w.key.size() + w.value.size() + 3;
    return longest;
}

bool roomToGrow(std::uint64_t length, std::uint64_t longest, const DiskRoom& room) {
    const std::uint64_t cluster = room.cluster ? room.cluster : 1;
    auto clusters = [&](std::uint64_t bytes) { return (bytes + cluster - 1) / cluster; };
    if (clusters(longest) <= clusters(length)) return true;
    return (clusters(longest) - clusters(length)) <= room.free / cluster;
}

bool roomForCopy(std::uint64_t longest, const DiskRoom& room) {
    return roomToGrow(0, longest, room);
}

bool writesKept(const std::string& before, const std::string& after, const std::vector<KeyWrite>& writes) {
    const Sections old = ProfileSection::allInText(std::make_shared<const std::string>(before));
    const Sections now = ProfileSection::allInText(std::make_shared<const std::string>(after));
    std::vector<std::string> values;
    values.reserve(writes.size());
    for (const KeyWrite& w : writes) values.push_back(readAsWritten(w.key, w.value));
    ReadFile expected = readFileOf(old);
    for (std::size_t i = 0; i < writes.size(); ++i) apply(expected, writes[i], values[i]);
    return sameReads(expected, readFileOf(now));
}

}  // namespace tikkano
