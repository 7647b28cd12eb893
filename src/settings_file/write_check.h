// What a write of the settings file must leave: the profile functions rewrite
// the whole file at every write and can report success for a file they cut
// short (a full disk), and whatever stood after the cut would be lost for good.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_file/profile.h"

namespace tikkano {

// The longest the file can be after `writes`: the profile functions rewrite
// the whole file, every line ended by "\r\n", each new key at most in a new
// section of its own. `text` is the file's bytes, or nothing when only its
// `length` is known (its lines then taken as ended so).
std::uint64_t longestAfterWrites(const std::optional<std::string>& text, std::uint64_t length,
                                 const std::vector<KeyWrite>& writes);

// True when a file of `length` bytes can be rewritten `longest` bytes long: the
// file system frees the file's clusters as the rewrite starts and takes whole
// clusters for the new text.
bool roomToGrow(std::uint64_t length, std::uint64_t longest, const DiskRoom& room);

// True when a new file of `longest` bytes fits the free clusters beside the old one.
bool roomForCopy(std::uint64_t longest, const DiskRoom& room);

// True when `after`, the file's text after `writes` (in order), reads as
// `before` did in every section and line, in the same order, apart from the
// written keys, which now read their values (a key new to its section added at
// the end of it, a section new to the file at the end of the file). A file cut
// short fails.
bool writesKept(const std::string& before, const std::string& after, const std::vector<KeyWrite>& writes);

// What a read of the key gives once `value` is written to it: a part of `value`.
std::string_view readAsWritten(const std::string& key, const std::string& value);

}  // namespace tikkano
