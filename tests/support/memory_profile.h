// An in-memory settings file for unit tests: sections and keys in insertion order,
// like a file written by the profile functions. Like the file, it offers its
// whole text to the program's own split, and its writes are checked as the
// file's are; a disk of `diskCapacity` bytes cuts it as a full disk does.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings_file/profile.h"
#include "settings_file/profile_write.h"

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

    // As the file gives it to the program's own split: the lines of every
    // section, "\r\n" after each; nothing for text the profile functions
    // alone read right, or past the longest section, as the file does.
    std::shared_ptr<const std::string> readText() const override {
        if (!offersText || unreadable) return nullptr;
        std::string text = render();
        if (text.empty() || text.size() > longestSection || !plainProfileText(text)) return nullptr;
        ++textReads;
        return std::make_shared<const std::string>(std::move(text));
    }

    bool readable() const override {
        if (unreadableChecks > 0) {
            --unreadableChecks;
            return false;
        }
        return !unreadable;
    }

    bool write(const std::string& section, const std::string& key, const std::string& value) override {
        return checkedWrite(*this, section, key, value, [&] { return rawWrite(section, key, value); });
    }

    std::optional<std::string> fileBytes() const override {
        if (unreadable) return std::nullopt;
        return cut ? *cut : render();
    }
    std::uint64_t fileLength() const override { return render().size(); }
    std::optional<DiskRoom> diskRoom() const override {
        if (!diskCapacity) return std::nullopt;
        const std::size_t used = (render().size() + cluster - 1) / cluster * cluster;
        return DiskRoom{*diskCapacity > used ? *diskCapacity - used : 0, cluster};
    }
    bool putBack(const std::string& bytes) override {
        ++putBacks;
        cut.reset();
        sections = parse(bytes);
        return true;
    }

    // What the profile function does: the value stored (as its memory holds
    // it), and a file longer than the disk cut at its last whole cluster.
    bool rawWrite(const std::string& section, const std::string& key, const std::string& value) {
        if (failWrites) {
            ++failedWrites;
            return false;
        }
        ++writes;
        if (dropWrites) return true;
        store(section, key, value);
        const std::string text = render();
        if (diskCapacity && text.size() > *diskCapacity) cut = text.substr(0, *diskCapacity / cluster * cluster);
        return true;
    }

    std::string render() const {
        std::string text;
        for (const Section& s : sections) {
            text += "[" + s.name + "]\r\n";
            for (const Entry& e : s.entries) text += e.key + "=" + e.value + "\r\n";
        }
        return text;
    }

    static std::vector<Section> parse(const std::string& text) {
        std::vector<Section> parsed;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            const std::string line = text.substr(start, end - start);
            start = end + 2;
            if (!line.empty() && line.front() == '[' && line.back() == ']') {
                parsed.push_back({line.substr(1, line.size() - 2), {}});
            } else if (!parsed.empty()) {
                const std::size_t equals = line.find('=');
                parsed.back().entries.push_back({line.substr(0, equals),
                                                 equals == std::string::npos ? "" : line.substr(equals + 1)});
            }
        }
        return parsed;
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
    mutable int unreadableChecks = 0;  // the first checks of readable() fail, as on a file held for a while
    std::size_t longestSection = kLongestSection;
    bool offersText = true;             // false: only the profile functions' road
    mutable int textReads = 0;          // calls of readText that gave the text
    bool dropWrites = false;            // writes report success and store nothing
    std::optional<std::size_t> diskCapacity;
    std::size_t cluster = 512;
    std::optional<std::string> cut;     // the file as a full disk left it
    int putBacks = 0;
};

}  // namespace tikkano::test
