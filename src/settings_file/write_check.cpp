#include "settings_file/write_check.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "settings_file/profile_lines.h"

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

using Entries = std::vector<ProfileSection::Entry>;

// What the profile function does to a section's reads: the first line of the
// key gets the value; a key it does not find is added at the end.
void apply(Entries& lines, std::string_view key, std::string_view value) {
    for (ProfileSection::Entry& line : lines)
        if (sameProfileName(line.key, key)) {
            line.value = value;
            return;
        }
    lines.push_back({key, value});
}

bool sameReads(const Entries& a, const Entries& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t j = 0; j < a.size(); ++j)
        if (!sameProfileName(a[j].key, b[j].key) || a[j].value != b[j].value) return false;
    return true;
}

}  // namespace

std::string_view readAsWritten(const std::string& key, const std::string& value) {
    // The line "key=value" as the split reads it: a key the line would not
    // give back as itself (blanks round it, an "=" in it, a comment) reads
    // nothing; the value ends at a NUL, loses its blanks, then one pair of quotes.
    if (key.find('=') != std::string::npos || key.find('\0') != std::string::npos ||
        profile_lines::trimmed(key) != key || key.rfind(';', 0) == 0)
        return std::string_view();
    std::size_t start = 0, length = std::min(value.find('\0'), value.size());
    profile_lines::trim(value, start, length);
    profile_lines::unquote(value, start, length);
    return std::string_view(value).substr(start, length);
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
    using Sections = std::vector<std::pair<std::string, ProfileSection>>;
    // The sections only live in this call: they point into the texts, owning nothing.
    const Sections old = ProfileSection::allInText(std::shared_ptr<const std::string>(std::shared_ptr<void>(), &before));
    const Sections now = ProfileSection::allInText(std::shared_ptr<const std::string>(std::shared_ptr<void>(), &after));
    // The section each write goes to: the first of its name, else a new one at
    // the end, one for each name in the order the writes first give it.
    std::vector<std::size_t> target(writes.size());
    std::vector<std::string_view> added;
    for (std::size_t k = 0; k < writes.size(); ++k) {
        const std::string& section = writes[k].section;
        std::size_t i = 0;
        while (i < old.size() && !sameProfileName(old[i].first, section)) ++i;
        for (std::size_t j = 0; i == old.size() + j && j < added.size(); ++j)
            if (!sameProfileName(added[j], section)) ++i;
        if (i == old.size() + added.size()) added.push_back(section);
        target[k] = i;
    }
    if (now.size() != old.size() + added.size()) return false;
    Entries expected, got;
    for (std::size_t i = 0; i < now.size(); ++i) {
        const std::string_view name = i < old.size() ? std::string_view(old[i].first) : added[i - old.size()];
        if (!sameProfileName(name, now[i].first)) return false;
        if (i < old.size())
            old[i].second.entries(expected);
        else
            expected.clear();
        expected.reserve(expected.size() + writes.size());
        for (std::size_t k = 0; k < writes.size(); ++k)
            if (target[k] == i) apply(expected, writes[k].key, readAsWritten(writes[k].key, writes[k].value));
        now[i].second.entries(got);
        if (!sameReads(expected, got)) return false;
    }
    return true;
}

}  // namespace tikkano
