// An in-memory settings file for unit tests: sections and keys in insertion order,
// like a file written by the profile functions.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/profile.h"

namespace tikkano::test {

class MemoryProfile : public Profile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // Like the file: a value past the bound comes back cut and marked so.
    ProfileValue readValue(const std::string& section, const std::string& key,
                           const std::string& fallback) const override {
        ++valueReads;
        const Entry* e = find(section, key);
        const std::string& value = e ? e->value : fallback;
        if (value.size() > kLongestValue) return {value.substr(0, kLongestValue), false};
        return {value, true};
    }

    // The lines of the section as the file function gives them; a section
    // longer than `longestSection` is too long to read at once.
    ProfileSection readSection(const std::string& section) const override {
        ++sectionReads;
        std::string lines;
        for (const Section& s : sections) {
            if (s.name != section) continue;
            for (const Entry& e : s.entries) lines += e.key + "=" + e.value + '\0';
            break;
        }
        if (lines.size() > longestSection) return ProfileSection::tooLong();
        return ProfileSection(lines);
    }

    bool readable() const override { return !unreadable; }

    bool write(const std::string& section, const std::string& key, const std::string& value) override {
        if (failWrites) {
            ++failedWrites;
            return false;
        }
        ++writes;
        store(section, key, value);
        return true;
    }

    void store(const std::string& section, const std::string& key, const std::string& value) {
        for (Section& s : sections) {
            if (s.name != section) continue;
            for (Entry& e : s.entries)
                if (e.key == key) {
                    e.value = value;
                    return;
                }
            s.entries.push_back({key, value});
            return;
        }
        sections.push_back({section, {{key, value}}});
    }

    const Entry* find(const std::string& section, const std::string& key) const {
        for (const Section& s : sections)
            if (s.name == section)
                for (const Entry& e : s.entries)
                    if (e.key == key) return &e;
        return nullptr;
    }

    std::vector<std::string> sectionNames() const {
        std::vector<std::string> names;
        for (const Section& s : sections) names.push_back(s.name);
        return names;
    }

    std::vector<Section> sections;
    int writes = 0;                 // successful writes
    mutable int valueReads = 0;     // calls of readValue
    mutable int sectionReads = 0;   // calls of readSection
    bool failWrites = false;        // every write fails, as on a file held open elsewhere
    int failedWrites = 0;
    bool unreadable = false;
    std::size_t longestSection = kLongestSection;
};

}  // namespace tikkano::test
