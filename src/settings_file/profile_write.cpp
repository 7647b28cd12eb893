#include "settings_file/profile_write.h"

#include <memory>
#include <utility>
#include <vector>

namespace tikkano {
namespace {

// What a read of the key gives once `value` is written to it.
std::string readAsWritten(const std::string& key, const std::string& value) {
    const ProfileSection line(key + "=" + value + '\0');
    const std::optional<std::string_view> read = line.find(key);
    return read ? std::string(*read) : std::string();
}

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

using Sections = std::vector<std::pair<std::string, ProfileSection>>;

Sections sectionsOf(const std::string& text) {
    return ProfileSection::allInText(std::make_shared<const std::string>(text));
}

bool readsBack(const Profile& profile, const std::string& section, const std::string& key,
               const std::string& value) {
    const ProfileValue read = profile.readValue(section, key, "");
    return read.whole && read.text == readAsWritten(key, value);
}

}  // namespace

std::uint64_t longestAfterWrite(const std::optional<std::string>& text, std::uint64_t length,
                                const std::string& section, const std::string& key, const std::string& value) {
    // "[section]\r\n" and "key=value\r\n".
    const std::uint64_t added = section.size() + 4 + key.size() + value.size() + 3;
    return (text ? text->size() + growthOfLineEnds(*text) : length + 2) + added;
}

bool roomToGrow(std::uint64_t length, std::uint64_t longest, const DiskRoom& room) {
    const std::uint64_t cluster = room.cluster ? room.cluster : 1;
    auto clusters = [&](std::uint64_t bytes) { return (bytes + cluster - 1) / cluster; };
    if (clusters(longest) <= clusters(length)) return true;
    return (clusters(longest) - clusters(length)) <= room.free / cluster;
}

bool writeKept(const std::string& before, const std::string& after, const std::string& section,
               const std::string& key, const std::string& value) {
    const Sections old = sectionsOf(before);
    const Sections now = sectionsOf(after);
    const std::string expected = readAsWritten(key, value);

    // The section the write goes to: the first of its name.
    std::size_t target = old.size();
    for (std::size_t i = 0; i < old.size() && target == old.size(); ++i)
        if (sameProfileName(old[i].first, section)) target = i;
    if (now.size() != old.size() + (target == old.size() ? 1 : 0)) return false;

    bool written = false;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (!sameProfileName(old[i].first, now[i].first)) return false;
        const std::vector<ProfileSection::Entry> was = old[i].second.entries();
        const std::vector<ProfileSection::Entry> is = now[i].second.entries();
        bool added = i == target;
        for (std::size_t j = 0; added && j < was.size(); ++j) added = !sameProfileName(was[j].key, key);
        if (is.size() != was.size() + (added ? 1 : 0)) return false;
        for (std::size_t j = 0; j < was.size(); ++j) {
            if (!sameProfileName(was[j].key, is[j].key)) return false;
            if (i == target && !written && sameProfileName(was[j].key, key)) {
                written = true;
                if (is[j].value != std::optional<std::string_view>(expected)) return false;
            } else if (was[j].value != is[j].value) {
                return false;
            }
        }
        if (added) {
            const ProfileSection::Entry& last = is.back();
            if (!sameProfileName(last.key, key) || last.value != std::optional<std::string_view>(expected))
                return false;
        }
    }
    if (target < old.size()) return true;
    const std::vector<ProfileSection::Entry> made = now.back().second.entries();
    return sameProfileName(now.back().first, section) && made.size() == 1 && sameProfileName(made[0].key, key) &&
           made[0].value == std::optional<std::string_view>(expected);
}

bool checkedWrite(Profile& profile, const std::string& section, const std::string& key, const std::string& value,
                  const std::function<bool()>& rawWrite) {
    const std::optional<std::string> before = profile.fileBytes();
    const std::uint64_t length = before ? before->size() : profile.fileLength();
    if (const std::optional<DiskRoom> room = profile.diskRoom())
        if (!roomToGrow(length, longestAfterWrite(before, length, section, key, value), *room)) return false;

    const bool reported = rawWrite();
    if (!before) return reported && readsBack(profile, section, key, value);

    const std::optional<std::string> after = profile.fileBytes();
    if (!after) return false;
    const bool kept = plainProfileText(*before) && plainProfileText(*after)
                          ? writeKept(*before, *after, section, key, value)
                          : readsBack(profile, section, key, value);
    if (reported && kept) return true;
    // Whatever a failed write changed is undone.
    if (*after != *before) profile.putBack(*before);
    return false;
}

}  // namespace tikkano
