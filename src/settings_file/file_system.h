// The settings file and its save copy on the disk, apart from the profile
// functions: whole-file reads, the room on the volume, the copy, its flush and
// the replace, and what a killed save leaves behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings_file/file_save.h"

namespace tikkano {

// The file's bytes, when there are at most `longest` of them; empty for a
// missing file; nothing when they cannot be read.
std::optional<std::string> wholeFileBytes(const std::string& path, std::uint64_t longest);
// The file's size in bytes; 0 for a missing file; all ones past 4 GiB.
std::size_t fileSizeOf(const std::string& path);
// True when the file can be opened for reading, or is missing.
bool fileReadable(const std::string& path);
bool isFolder(const std::string& path);
// True when the file starts with a UTF-8 or UTF-16 byte-order mark.
bool startsWithByteOrderMark(const std::string& path);
std::optional<DiskRoom> diskRoomOf(const std::string& path);

// The names a save uses beside the settings file (Horvik32.ini): its name with another extension.
std::string saveCopyOf(const std::string& path);    // the new copy
std::string saveBackupOf(const std::string& path);  // the old file while the copy takes its place

// The new copy made with the file's bytes, or empty for a missing file.
SaveTarget::Copy makeSaveCopy(const std::string& path);
// The copy flushed and put in the file's place in one step; the old file goes.
bool replaceWithSaveCopy(const std::string& path);
void removeSaveCopy(const std::string& path);
// Undoes what a save killed halfway left: a file moved aside and not yet
// replaced comes back, and a copy never put in place goes.
void recoverInterruptedSave(const std::string& path);

// The file rewritten with `bytes`, flushed.
bool rewriteFile(const std::string& path, const std::string& bytes);

}  // namespace tikkano
