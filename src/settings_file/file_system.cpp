#include "settings_file/file_system.h"

#include <windows.h>

#include "base/fault_point.h"
#include "base/gdi_guards.h"

namespace tikkano {
namespace {

bool missingFileError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The file opened for reading, sharing it with everyone.
HANDLE openForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A read-only copy (CopyFile keeps the file's attributes) could not be deleted.
void deleteFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

bool flushFile(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && FlushFileBuffers(file.get());
}

}  // namespace

std::optional<std::string> wholeFileBytes(const std::string& path, std::uint64_t longest) {
    const FileHandle file(openForReading(path));
    if (!file.valid()) {
        if (missingFileError(GetLastError())) return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > longest)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0, more = 0;
    char probe;
    if (!bytes.empty() && (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        return std::nullopt;
    // A file that grew while it was read is not the file it was.
    if (!ReadFile(file.get(), &probe, 1, &more, nullptr) || more != 0) return std::nullopt;
    return bytes;
}

std::size_t fileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.nFileSizeHigh != 0) return std::size_t(-1);
    return data.nFileSizeLow;
}

bool fileReadable(const std::string& path) {
    if (FileHandle(openForReading(path)).valid()) return true;
    return missingFileError(GetLastError());
}

bool startsWithByteOrderMark(const std::string& path) {
    const FileHandle file(openForReading(path));
    unsigned char head[3] = {};
    DWORD got = 0;
    if (!file.valid() || !ReadFile(file.get(), head, sizeof head, &got, nullptr)) return false;
    const bool utf16 = got >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
    return utf16 || (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF);
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<DiskRoom> diskRoomOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr)) return std::nullopt;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    // A cluster size that cannot be told is taken as large as any file system's.
    std::uint64_t cluster = 64 * 1024;
    if (GetDiskFreeSpaceA(folder.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
        sectorsPerCluster && bytesPerSector)
        cluster = std::uint64_t(sectorsPerCluster) * bytesPerSector;
    return DiskRoom{free.QuadPart, cluster};
}

namespace {
// Horvik32.new and Horvik32.old: as long as the file's own name, so any path
// the file can have, up to the longest the profile functions take, fits them too.
std::string withExtension(const std::string& path, const char* extension) {
    return path.substr(0, path.size() - 3) + extension;
}
}  // namespace

std::string saveCopyOf(const std::string& path) { return withExtension(path, "new"); }
std::string saveBackupOf(const std::string& path) { return withExtension(path, "old"); }

SaveTarget::Copy makeSaveCopy(const std::string& path) {
    const std::string copy = saveCopyOf(path);
    deleteFile(copy);
    bool made;
    if (exists(path)) {
        made = CopyFileA(path.c_str(), copy.c_str(), FALSE) != FALSE;
    } else {
        made = FileHandle(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr))
                   .valid();
    }
    if (made) return SaveTarget::Copy::kMade;
    const DWORD error = GetLastError();
    deleteFile(copy);
    return error == ERROR_ACCESS_DENIED ? SaveTarget::Copy::kRefused : SaveTarget::Copy::kFailed;
}

bool replaceWithSaveCopy(const std::string& path) {
    const std::string copy = saveCopyOf(path), backup = saveBackupOf(path);
    if (!flushFile(copy)) return false;
    faultPoint("save-replace");
    if (!exists(path))
        return MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    // ReplaceFile keeps the file's attributes, security and creation time. It
    // moves the old file aside to the backup name first; a replace that fails
    // halfway, or a kill in between, is undone from there.
    deleteFile(backup);
    if (!ReplaceFileA(path.c_str(), copy.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
        recoverInterruptedSave(path);
        return false;
    }
    deleteFile(backup);
    return true;
}

void removeSaveCopy(const std::string& path) { deleteFile(saveCopyOf(path)); }

void recoverInterruptedSave(const std::string& path) {
    const std::string backup = saveBackupOf(path);
    if (exists(backup)) {
        if (!exists(path)) MoveFileExA(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
        else deleteFile(backup);
    }
    removeSaveCopy(path);
}

bool rewriteFile(const std::string& path, const std::string& bytes) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !SetEndOfFile(file.get())) return false;
    DWORD written = 0;
    return (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                        nullptr) &&
                              written == bytes.size())) &&
           FlushFileBuffers(file.get());
}

}  // namespace tikkano
