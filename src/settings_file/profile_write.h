// Writes to the settings file that are checked: the profile functions can
// report success for a file they cut short (a full disk), and whatever stood
// after the cut would be lost for good.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "settings_file/profile.h"

namespace tikkano {

// The longest the file can be after one write of `value` to section/key: the
// profile functions rewrite the whole file, every line ended by "\r\n", the
// new key at most in a new section of its own. `text` is the file's bytes, or
// nothing when only its `length` is known (its lines then taken as ended so).
std::uint64_t longestAfterWrite(const std::optional<std::string>& text, std::uint64_t length,
                                const std::string& section, const std::string& key, const std::string& value);

// True when a file of `length` bytes can be rewritten `longest` bytes long: the
// file system frees the file's clusters as the rewrite starts and takes whole
// clusters for the new text.
bool roomToGrow(std::uint64_t length, std::uint64_t longest, const DiskRoom& room);

// True when `after`, the file's text after a write of `value` to section/key,
// reads as `before` did in every section and line, in the same order, apart
// from that key, which now reads `value` (and may have been added at the end
// of its section, or in a new last section). A file cut short fails.
bool writeKept(const std::string& before, const std::string& after, const std::string& section,
               const std::string& key, const std::string& value);

// A write made by `rawWrite` (a call of the profile function), checked:
// refused beforehand when the disk might not hold the file it makes, and
// failed afterwards when the file does not read as it should; its bytes are
// then put back as they were. A file too long to hold in memory is checked by
// reading the value back.
bool checkedWrite(Profile& profile, const std::string& section, const std::string& key, const std::string& value,
                  const std::function<bool()>& rawWrite);

}  // namespace tikkano
