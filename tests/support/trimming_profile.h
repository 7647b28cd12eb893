// An in-memory settings file that reads as the profile functions do: blanks
// round a value dropped, then one pair of enclosing quotes (single or double)
// taken off.
#pragma once

#include <string>

#include "support/memory_profile.h"

namespace tikkano::test {

class TrimmingProfile : public MemoryProfile {
public:
    ProfileValue readValue(const std::string& section, const std::string& key,
                           const std::string& fallback) const override {
        if (!find(section, key)) return {fallback, true};
        ProfileValue value = MemoryProfile::readValue(section, key, fallback);
        std::string& v = value.text;
        const auto first = v.find_first_not_of(" \t");
        v = first == std::string::npos ? std::string() : v.substr(first, v.find_last_not_of(" \t") - first + 1);
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return value;
    }
};

}  // namespace tikkano::test
