// Access to the settings file, kept apart from the Windows profile functions so
// the settings and reminder logic can run against an in-memory file in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tikkano {

// The longest value the program reads from the settings file. A real group of
// reminders written by the program is a few kilobytes; 1 MiB holds thousands of
// reminders, yet the five groups of a day, parsed, stay within a few tens of MB
// of the 32-bit address space. Anything longer is a hand-edited or damaged file.
constexpr std::size_t kLongestValue = std::size_t(1) << 20;

// The longest section the program reads in one call. A longer one (only a
// hand-edited file has one) is read key by key, each value up to kLongestValue.
constexpr std::size_t kLongestSection = 4 * kLongestValue;

// A value read from the settings file. `whole` is false when the stored value was
// longer than kLongestValue and `text` holds only its first kLongestValue bytes:
// such a value must never be written back.
struct ProfileValue {
    std::string text;
    bool whole = true;
};

// True when the profile functions read a file of these bytes as lines of the
// ANSI code page: no byte-order mark, no zero byte. The program can then split
// it into sections itself (ProfileSection::inText).
bool plainProfileText(std::string_view text);

// Section and key names are the same when they differ only in the case of ASCII letters.
bool sameProfileName(std::string_view a, std::string_view b);

// One section as a single read of it gives it: "key=value" lines, each ended by
// a zero byte. A key is found as a read of that key alone finds it: without
// regard to case, the first of keys given twice; its value with the blanks
// round it dropped and then one pair of enclosing quotes taken off. A line
// without "=" is a key without a value: it reads as missing, and hides a later
// line of the same key. Lines starting with ";" are comments.
class ProfileSection {
public:
    ProfileSection() = default;
    explicit ProfileSection(std::string lines);
    // The first section named `section` (without regard to case) in the plain
    // text of a whole file, split into lines as the profile functions split it.
    static ProfileSection inText(std::shared_ptr<const std::string> text, std::string_view section);
    // A section longer than kLongestSection, not read: its keys must be read one by one.
    static ProfileSection tooLong();
    // Every section of the plain text of a whole file, each under the name its
    // header gives, in file order; the lines before the first header are left out.
    static std::vector<std::pair<std::string, ProfileSection>> allInText(std::shared_ptr<const std::string> text);

    bool whole() const { return whole_; }
    // The value of `key` as a read of it gives it, or nothing when the key is missing.
    std::optional<std::string_view> find(std::string_view key) const;
    // Its lines' keys and values as a read of each gives it (no value for a
    // line without "="), in file order, into `into` (emptied first: a caller
    // going through many sections keeps one buffer).
    struct Entry {
        std::string_view key;
        std::optional<std::string_view> value;
    };
    void entries(std::vector<Entry>& into) const;

private:
    struct Line {
        std::size_t key, keyLength;
        std::size_t value, valueLength;
        bool hasValue;
    };
    // Indexes the line of text_ from `start` to `end`.
    void addLine(std::size_t start, std::size_t end);

    std::shared_ptr<const std::string> text_;
    std::vector<Line> index_;  // in file order
    bool whole_ = true;
};

// The disk that holds the settings file.
struct DiskRoom {
    std::uint64_t free = 0;     // bytes
    std::uint64_t cluster = 1;  // the file system gives a file its bytes this many at a time
};

// The bytes of a settings file in turn, for a file too big to read whole.
class ProfileStream {
public:
    virtual ~ProfileStream() = default;
    // Up to `size` bytes into `buffer`; `got` is 0 at the end of the file.
    // False when the file cannot be read.
    virtual bool read(char* buffer, std::size_t size, std::size_t& got) = 0;
};

// The first section named `section` of a file's text as ProfileSection::inText
// finds it, read through `stream` in a buffer of fixed size: only the section's
// own lines are kept, and a section of more than `longest` bytes is tooLong().
// Nothing when the text is not plain (plainProfileText) or cannot be read.
std::optional<ProfileSection> streamSection(ProfileStream& stream, std::string_view section, std::size_t longest);

// What streamValue found.
struct StreamedValue {
    bool found = false;   // the key has a value in the section
    ProfileValue value;   // up to kLongestValue bytes, `whole` false when cut
};

// One key's value in the first section named `section`, as a read of that
// section finds it, read through `stream` as streamSection reads: the value is
// kept up to kLongestValue bytes, nothing else. Nothing when the text is not
// plain or cannot be read.
std::optional<StreamedValue> streamValue(ProfileStream& stream, std::string_view section, std::string_view key);

// One key of a save, with the value it gets.
struct KeyWrite {
    std::string section;
    std::string key;
    std::string value;
};

class Profile {
public:
    virtual ~Profile() = default;

    // The value of a key up to kLongestValue bytes, or `fallback` when the key is missing.
    virtual ProfileValue readValue(const std::string& section, const std::string& key,
                                   const std::string& fallback) const = 0;
    std::string read(const std::string& section, const std::string& key, const std::string& fallback) const {
        return readValue(section, key, fallback).text;
    }
    // A whole section in one read, or ProfileSection::tooLong().
    virtual ProfileSection readSection(const std::string& section) const = 0;
    // The whole file in one read when the program can split it into sections
    // itself (plainProfileText), or nothing: its sections are then read one by one.
    virtual std::shared_ptr<const std::string> readText() const { return nullptr; }
    // False when the file is there but cannot be read now (another program
    // holds it open, a folder stands in its place): every read then gives the
    // defaults, which say nothing of what the file holds. A missing file is readable.
    virtual bool readable() const = 0;
    // False when the file could not be written (a folder that cannot be
    // written to, a file held open by another program, a full disk); the file
    // then reads as before. The keys of one call go into the file in one save
    // (settings_file/file_save.h).
    bool write(const std::string& section, const std::string& key, const std::string& value);
    virtual bool writeAll(const std::vector<KeyWrite>& writes) = 0;
    // True when a folder stands where the file belongs: it can be neither read nor written.
    virtual bool folderInPlace() const { return false; }

    // The Unicode file. True when the key's value, as the wide profile
    // functions read it, comes back the same through the ANSI code page the
    // program reads and writes in. False only in a file with a byte-order mark
    // whose value holds characters that code page cannot hold (they read as
    // "?" or as a look-alike): writing the value back would change them.
    virtual bool valueFitsCodePage(const std::string& section, const std::string& key) const {
        (void)section;
        (void)key;
        return true;
    }
};

// Reads for one operation (the start-up, one fill of the calendar, one close):
// the first value asked for reads the whole file, or the whole section where
// only the profile functions can read the file; the next ones come from that
// read. A section too long for one read is read key by key.
// Nothing is kept past the operation: the file may change in between.
class SectionReads {
public:
    explicit SectionReads(const Profile& profile) : profile_(profile) {}

    // As Profile::readValue.
    ProfileValue value(const std::string& section, const std::string& key, const std::string& fallback) const;
    // As a buffer of `bufferLength` bytes takes it: at most bufferLength - 1 characters.
    std::string bounded(const std::string& section, const std::string& key, const std::string& fallback,
                        std::size_t bufferLength) const;
    // True when the key is missing or its value empty.
    bool empty(const std::string& section, const std::string& key) const;
    // What the file holds for the key, as a read gives it; nothing when the key
    // is missing, or when its section is too long to tell.
    std::optional<std::string_view> held(const std::string& section, const std::string& key) const;

private:
    const ProfileSection& sectionOf(const std::string& section) const;

    const Profile& profile_;
    mutable bool textRead_ = false;
    mutable std::shared_ptr<const std::string> text_;
    // The whole text's sections, or those read one by one.
    mutable std::vector<std::pair<std::string, ProfileSection>> sections_;
    const ProfileSection absent_;  // a section the text does not have
};

// Reads a key as a fixed-size buffer of `bufferLength` bytes would: at most
// bufferLength - 1 characters are kept.
std::string readBounded(const Profile& profile, const std::string& section, const std::string& key,
                        const std::string& fallback, std::size_t bufferLength);

// Decimal integer as the settings file stores it: leading blanks, an optional sign,
// digits; the first other character ends the number; no digits give 0. Values beyond
// 32 bits saturate instead of overflowing.
int parseDecimal(const std::string& text);

}  // namespace tikkano
