#include "settings_file/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/fault_point.h"
#include "base/gdi_guards.h"
#include "base/wide_text.h"
#include "settings_file/file_system.h"
#include "settings_file/settings.h"

namespace tikkano {
namespace {

// The file opened for reading in turn, sharing it with everyone.
HANDLE openForStreaming(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// A value through GetPrivateProfileString. The call reports a value cut to the
// buffer by returning size - 1: grow and read again. The last buffer has room
// for one byte past the bound, so a value of exactly kLongestValue bytes is
// known to be whole.
ProfileValue valueThroughFunctions(const std::string& path, const std::string& section, const std::string& key,
                                   const std::string& fallback) {
    constexpr std::size_t kLastBuffer = kLongestValue + 2;
    std::vector<char> buffer(1024);
    for (;;) {
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path.c_str());
        if (got + 1 < buffer.size()) return {std::string(buffer.data(), got), true};
        if (buffer.size() >= kLastBuffer) return {std::string(buffer.data(), kLongestValue), false};
        buffer.resize(std::min(buffer.size() * 4, kLastBuffer));
    }
}

class FileStream : public ProfileStream {
public:
    explicit FileStream(const std::string& path)
        : file_(openForStreaming(path)) {}
    bool open() const { return file_.valid(); }
    bool read(char* buffer, std::size_t size, std::size_t& got) override {
        DWORD read = 0;
        const bool ok = ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &read, nullptr) != FALSE;
        got = read;
        return ok;
    }

private:
    FileHandle file_;
};

bool singleByteCodePage() {
    CPINFO codePage{};
    return GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize == 1;
}

}  // namespace

bool ProfileFile::streamed(std::size_t size) const {
    // The profile functions hold the whole file, twice over, at every call: a
    // file of some hundred MiB does not fit a 32-bit program at all. In a
    // double-byte code page a "[" or "]" may be the second byte of a
    // character: only the functions read such a file right.
    return size > streamAbove_ && singleByteCodePage();
}

ProfileValue ProfileFile::readValue(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
    if (streamed(fileSize())) {
        FileStream stream(location());
        if (stream.open())
            if (const std::optional<StreamedValue> read = streamValue(stream, section, key))
                return read->found ? read->value : ProfileValue{fallback, true};
    }
    return valueThroughFunctions(path_, section, key, fallback);
}

std::string ProfileFile::location() const {
    if (path_.find_first_of("\\/:") != std::string::npos) return path_;
    char folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return path_;
    return std::string(folder, length) + "\\" + path_;
}

std::size_t ProfileFile::fileSize() const { return fileSizeOf(location()); }

bool ProfileFile::readable() const { return fileReadable(location()); }

std::shared_ptr<const std::string> ProfileFile::readText() const {
    // The profile functions parse the whole file, through a wide copy of it, at
    // every call; the program reads a file of up to the longest section once and
    // splits it as they do. In a double-byte code page a "[" or "]" may be
    // the second byte of a character: only the functions read such a file right.
    if (streamed(fileSize()) || !singleByteCodePage()) return nullptr;
    // A file over the longest section, or one that changed size while it was
    // read, is left to the other roads.
    std::optional<std::string> bytes = wholeFileBytes(location(), kLongestSection);
    if (!bytes || bytes->empty() || !plainProfileText(*bytes)) return nullptr;
    return std::make_shared<const std::string>(std::move(*bytes));
}

ProfileSection ProfileFile::readSection(const std::string& section) const {
    // The functions parse the whole file at every call: one call with a buffer
    // that holds the file (a section's lines, ends included, are never longer
    // than they are in it) reads any section at once.
    constexpr std::size_t kLastBuffer = kLongestSection + 2;
    const std::size_t size = fileSize();
    if (streamed(size)) {
        FileStream stream(location());
        if (stream.open())
            if (std::optional<ProfileSection> read = streamSection(stream, section, kLongestSection))
                return std::move(*read);
    }
    std::size_t length = size >= kLastBuffer - 2 ? kLastBuffer : std::max<std::size_t>(size + 2, 1024);
    for (;;) {
        const std::unique_ptr<char[]> buffer(new char[length]);
        // A section cut to the buffer is reported as length - 2.
        const DWORD got = GetPrivateProfileSectionA(section.c_str(), buffer.get(), static_cast<DWORD>(length),
                                                    path_.c_str());
        if (got + 2 < length) return ProfileSection(std::string(buffer.get(), got));
        if (length >= kLastBuffer) return ProfileSection::tooLong();
        length = std::min(length * 4, kLastBuffer);
    }
}

bool ProfileFile::functionsLoad() const {
    // The functions take a file they cannot load (one too big for the address
    // space) for an empty one: a write would replace it with the one value.
    // A file that big always has sections, so no section names means that.
    char names[64];
    return GetPrivateProfileSectionNamesA(names, sizeof names, path_.c_str()) != 0;
}

namespace {

// The settings file as a save writes it: the profile functions on the file or
// its copy, the rest through the file system.
class FileSave : public SaveTarget {
public:
    explicit FileSave(const ProfileFile& file) : file_(file), location_(file.location()) {}

    std::optional<std::string> bytes(Where where) const override {
        return wholeFileBytes(where == Where::kCopy ? saveCopyOf(location_) : location_, kLongestSection);
    }
    std::uint64_t fileLength() const override { return fileSizeOf(location_); }
    std::optional<DiskRoom> room() const override { return diskRoomOf(location_); }
    Copy makeCopy() override { return makeSaveCopy(location_); }
    bool writeKey(Where where, const KeyWrite& write) override {
        // A kill between two keys of one save leaves the file as it was.
        if (where == Where::kCopy) faultPoint("save-key");
        // The A function passes the value through a counted wide string that holds
        // at most 32,767 characters; a longer group would be lost. The W function
        // writes the file in the ANSI code page all the same.
        return WritePrivateProfileStringW(fromAnsi(write.section).c_str(), fromAnsi(write.key).c_str(),
                                          fromAnsi(write.value).c_str(), fromAnsi(file_.pathOf(where)).c_str()) !=
               FALSE;
    }
    ProfileValue readKey(Where where, const std::string& section, const std::string& key) const override {
        if (where == Where::kFile) return file_.readValue(section, key, "");
        return valueThroughFunctions(file_.pathOf(where), section, key, "");
    }
    bool replaceWithCopy() override { return replaceWithSaveCopy(location_); }
    void removeCopy() override { removeSaveCopy(location_); }
    bool putBack(const std::string& bytes) override { return rewriteFile(location_, bytes); }

private:
    const ProfileFile& file_;
    const std::string location_;
};

}  // namespace

bool ProfileFile::writeAll(const std::vector<KeyWrite>& writes) {
    if (streamed(fileSize()) && !functionsLoad()) return false;
    FileSave save(*this);
    return saveKeys(save, writes);
}

bool ProfileFile::folderInPlace() const { return isFolder(location()); }

std::string ProfileFile::pathOf(SaveTarget::Where where) const {
    return where == SaveTarget::Where::kCopy ? saveCopyOf(location()) : path_;
}

std::string settingsFilePath(bool besideProgram) {
    if (!besideProgram) return kSettingsFileName;
    // Asked for its length first, so a directory of any length fits.
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string directory(needed, '\0');
    const DWORD length = needed ? GetCurrentDirectoryA(needed, &directory[0]) : 0;
    directory.resize(length < needed ? length : 0);
    return directory + "\\" + kSettingsFileName;
}

// The Unicode file: a file with a byte-order mark, which the profile
// functions read as UTF-8 or UTF-16 and the A functions hand on in the ANSI
// code page.
namespace {

// The value as the wide function reads it, up to kLongestValue characters.
std::wstring wideValue(const std::string& section, const std::string& key, const std::string& path) {
    const std::wstring wideSection = fromAnsi(section), wideKey = fromAnsi(key), widePath = fromAnsi(path);
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD got = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"", buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), widePath.c_str());
        if (got + 1 < buffer.size() || buffer.size() >= kLongestValue) return std::wstring(buffer.data(), got);
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace

bool ProfileFile::valueFitsCodePage(const std::string& section, const std::string& key) const {
    if (GetACP() == CP_UTF8 || !startsWithByteOrderMark(location())) return true;
    // What the program reads and would write back, against what the file
    // holds: a letter the code page lacks reads as "?" or as a look-alike
    // ("é" as "e" in a Cyrillic code page), and comes back otherwise.
    return fromAnsi(valueThroughFunctions(path_, section, key, "").text) == wideValue(section, key, path_);
}

}  // namespace tikkano
