// Access to the settings file, kept apart from the Windows profile functions so
// the settings and reminder logic can run against an in-memory file in tests.
#pragma once

#include <cstddef>
#include <string>

namespace tikkano {

// The longest value the program reads from the settings file. A real group of
// reminders written by the program is a few kilobytes; 1 MiB holds thousands of
// reminders, yet the five groups of a day, parsed, stay within a few tens of MB
// of the 32-bit address space. Anything longer is a hand-edited or damaged file.
constexpr std::size_t kLongestValue = std::size_t(1) << 20;

// A value read from the settings file. `whole` is false when the stored value was
// longer than kLongestValue and `text` holds only its first kLongestValue bytes:
// such a value must never be written back.
struct ProfileValue {
    std::string text;
    bool whole = true;
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
    virtual void write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
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
