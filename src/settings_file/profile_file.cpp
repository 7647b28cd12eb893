#include "settings_file/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "settings_file/profile_write.h"
#include "settings_file/settings.h"
#include "base/wide_text.h"

namespace tikkano {
namespace {

// A file handle closed on every way out.
class OpenFile {
public:
    explicit OpenFile(HANDLE handle) : handle_(handle) {}
    ~OpenFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// The file opened for reading, sharing it with everyone.
HANDLE openForReading(const std::string& path, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

class FileStream : public ProfileStream {
public:
    explicit FileStream(const std::string& path)
        : file_(openForReading(path, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN)) {}
    bool open() const { return file_.valid(); }
    bool read(char* buffer, std::size_t size, std::size_t& got) override {
        DWORD read = 0;
        const bool ok = ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &read, nullptr) != FALSE;
        got = read;
        return ok;
    }

private:
    OpenFile file_;
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
    // The call reports a value cut to the buffer by returning size - 1: grow and
    // read again. The last buffer has room for one byte past the bound, so a
    // value of exactly kLongestValue bytes is known to be whole.
    constexpr std::size_t kLastBuffer = kLongestValue + 2;
    std::vector<char> buffer(1024);
    for (;;) {
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path_.c_str());
        if (got + 1 < buffer.size()) return {std::string(buffer.data(), got), true};
        if (buffer.size() >= kLastBuffer) return {std::string(buffer.data(), kLongestValue), false};
        buffer.resize(std::min(buffer.size() * 4, kLastBuffer));
    }
}

std::string ProfileFile::location() const {
    if (path_.find_first_of("\\/:") != std::string::npos) return path_;
    char folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return path_;
    return std::string(folder, length) + "\\" + path_;
}

std::size_t ProfileFile::fileSize() const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(location().c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.nFileSizeHigh != 0) return std::size_t(-1);
    return data.nFileSizeLow;
}

bool ProfileFile::readable() const {
    if (OpenFile(openForReading(location())).valid()) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::shared_ptr<const std::string> ProfileFile::readText() const {
    // The profile functions parse the whole file, through a wide copy of it, at
    // every call; the program reads a file of up to the longest section once and
    // splits it as they do. In a double-byte code page a "[" or "]" may be
    // the second byte of a character: only the functions read such a file right.
    if (streamed(fileSize()) || !singleByteCodePage()) return nullptr;
    // A file over the longest section, or one that changed size while it was
    // read, is left to the other roads.
    std::optional<std::string> bytes = fileBytes();
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

bool ProfileFile::write(const std::string& section, const std::string& key, const std::string& value) {
    if (streamed(fileSize()) && !functionsLoad()) return false;
    // The A function passes the value through a counted wide string that holds
    // at most 32,767 characters; a longer group would be lost. The W function
    // writes the file in the ANSI code page all the same.
    return checkedWrite(*this, section, key, value, [&] {
        return WritePrivateProfileStringW(fromAnsi(section).c_str(), fromAnsi(key).c_str(), fromAnsi(value).c_str(),
                                          fromAnsi(path_).c_str()) != FALSE;
    });
}

std::optional<std::string> ProfileFile::fileBytes() const {
    const OpenFile file(openForReading(location()));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kLongestSection)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0, more = 0;
    char probe;
    if (!bytes.empty() && (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        return std::nullopt;
    if (!ReadFile(file.get(), &probe, 1, &more, nullptr) || more != 0) return std::nullopt;
    return bytes;
}

std::optional<DiskRoom> ProfileFile::diskRoom() const {
    const std::string where = location();
    const std::size_t slash = where.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string(".\\") : where.substr(0, slash + 1);
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

bool ProfileFile::putBack(const std::string& bytes) {
    const OpenFile file(CreateFileA(location().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !SetEndOfFile(file.get())) return false;
    DWORD written = 0;
    return (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                        nullptr) &&
                              written == bytes.size())) &&
           FlushFileBuffers(file.get());
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

bool startsWithByteOrderMark(const std::string& path) {
    const OpenFile file(openForReading(path));
    unsigned char head[3] = {};
    DWORD got = 0;
    if (!file.valid() || !ReadFile(file.get(), head, sizeof head, &got, nullptr)) return false;
    const bool utf16 = got >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
    return utf16 || (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF);
}

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
    const std::wstring value = wideValue(section, key, path_);
    if (value.empty()) return true;
    // No look-alikes: "é" taken for "e" in a Cyrillic code page changes the text as "?" does.
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, value.data(), static_cast<int>(value.size()),
                                           nullptr, 0, nullptr, &lost);
    if (length <= 0 || lost) return false;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, value.data(), static_cast<int>(value.size()), &ansi[0], length,
                        nullptr, &lost);
    return !lost && fromAnsi(ansi) == value;
}

}  // namespace tikkano
