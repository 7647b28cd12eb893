// A save of the settings file: every key of it goes into a new copy beside the
// file, and the copy, checked and flushed, takes the file's place in one step.
// A kill, a power cut or a full disk at any moment leaves the old file or the
// new one, whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings_file/profile.h"

namespace tikkano {

// What a save writes to: the settings file and the new copy beside it, in one
// folder on one volume. It knows nothing of the rules a save keeps.
class SaveTarget {
public:
    enum class Where { kFile, kCopy };
    enum class Copy { kMade, kRefused, kFailed };

    virtual ~SaveTarget() = default;
    // The bytes of the file or the copy when there are at most kLongestSection
    // of them; empty for a missing file; nothing when they cannot be read.
    virtual std::optional<std::string> bytes(Where where) const = 0;
    // The settings file's length in bytes, 0 for a missing file.
    virtual std::uint64_t fileLength() const = 0;
    // Room left on the volume, or nothing when it cannot be told.
    virtual std::optional<DiskRoom> room() const = 0;
    // A new copy with the file's bytes (empty for a missing file). kRefused:
    // the folder takes no new file, though the file itself may be writable.
    virtual Copy makeCopy() = 0;
    // One key written by the profile function.
    virtual bool writeKey(Where where, const KeyWrite& write) = 0;
    // A key as the profile function reads it back.
    virtual ProfileValue readKey(Where where, const std::string& section, const std::string& key) const = 0;
    // The copy, flushed to the disk, takes the file's place; false leaves the file as it was.
    virtual bool replaceWithCopy() = 0;
    virtual void removeCopy() = 0;
    // The file's bytes put back as they were before a write in place that went wrong.
    virtual bool putBack(const std::string& bytes) = 0;
};

// Writes `writes`, in order, in one save: through the copy, or, where the
// folder refuses a new file, into the file itself one key at a time, each
// write checked and undone when it went wrong. False when anything was not
// written; the file then reads as before.
bool saveKeys(SaveTarget& target, const std::vector<KeyWrite>& writes);

}  // namespace tikkano
