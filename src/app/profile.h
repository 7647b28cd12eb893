// Access to the settings file, kept apart from the Windows profile functions so
// the settings and reminder logic can run against an in-memory file in tests.
#pragma once

#include <cstddef>
#include <string>

namespace tikkano {

class Profile {
public:
    virtual ~Profile() = default;

    // The whole value of a key, however long, or `fallback` when the key is missing.
    virtual std::string read(const std::string& section, const std::string& key,
                             const std::string& fallback) const = 0;
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
