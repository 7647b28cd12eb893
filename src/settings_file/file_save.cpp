#include "settings_file/file_save.h"

#include "settings_file/write_check.h"

namespace tikkano {
namespace {

using Where = SaveTarget::Where;

bool readsBack(const SaveTarget& target, Where where, const std::vector<KeyWrite>& writes) {
    // A later write of the same key is the one that counts.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        bool overwritten = false;
        for (std::size_t j = i + 1; j < writes.size() && !overwritten; ++j)
            overwritten = sameProfileName(writes[i].section, writes[j].section) &&
                          sameProfileName(writes[i].key, writes[j].key);
        if (overwritten) continue;
        const ProfileValue read = target.readKey(where, writes[i].section, writes[i].key);
        if (!read.whole || read.text != readAsWritten(writes[i].key, writes[i].value)) return false;
    }
    return true;
}

// True when the text after the writes reads as it should: checked line by
// line where the program can split both texts itself, else key by key.
bool kept(const SaveTarget& target, Where where, const std::optional<std::string>& before,
          const std::vector<KeyWrite>& writes) {
    if (!before) return readsBack(target, where, writes);
    const std::optional<std::string> after = target.bytes(where);
    if (!after) return false;
    if (plainProfileText(*before) && plainProfileText(*after)) return writesKept(*before, *after, writes);
    return readsBack(target, where, writes);
}

bool throughCopy(SaveTarget& target, const std::optional<std::string>& before, const std::vector<KeyWrite>& writes) {
    bool written = true;
    for (const KeyWrite& w : writes) written = written && target.writeKey(Where::kCopy, w);
    if (written && kept(target, Where::kCopy, before, writes) && target.replaceWithCopy()) return true;
    target.removeCopy();
    return false;
}

// The file written where it lies, one key at a time, as the profile functions
// write it: each write checked, and the file's bytes put back when it went wrong.
bool inPlace(SaveTarget& target, const std::vector<KeyWrite>& writes, const std::optional<DiskRoom>& room) {
    for (const KeyWrite& w : writes) {
        const std::optional<std::string> before = target.bytes(Where::kFile);
        const std::uint64_t length = before ? before->size() : target.fileLength();
        if (room && !roomToGrow(length, longestAfterWrites(before, length, {w}), *room)) return false;
        const bool reported = target.writeKey(Where::kFile, w);
        if (reported && kept(target, Where::kFile, before, {w})) continue;
        if (before && target.bytes(Where::kFile) != before) target.putBack(*before);
        return false;
    }
    return true;
}

}  // namespace

bool saveKeys(SaveTarget& target, const std::vector<KeyWrite>& writes) {
    if (writes.empty()) return true;
    const std::optional<std::string> before = target.bytes(Where::kFile);
    switch (target.makeCopy()) {
        case SaveTarget::Copy::kMade: {
            // The copy is rewritten key by key while the file keeps its clusters.
            const std::uint64_t length = before ? before->size() : target.fileLength();
            const std::optional<DiskRoom> room = target.room();
            if (!room || roomToGrow(length, longestAfterWrites(before, length, writes), *room))
                return throughCopy(target, before, writes);
            break;
        }
        case SaveTarget::Copy::kRefused:
            return inPlace(target, writes, target.room());
        case SaveTarget::Copy::kFailed:
            break;
    }
    target.removeCopy();
    return false;
}

}  // namespace tikkano
