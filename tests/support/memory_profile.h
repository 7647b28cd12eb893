// An in-memory settings file for unit tests: sections and keys in insertion order,
// like a file written by the profile functions. Like the file, it offers its
// whole text to the program's own split, and it is saved as the file is: a new
// copy beside it, written key by key and put in its place. A disk of
// `diskCapacity` bytes cuts either as a full disk does.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings_file/profile.h"
#include "settings_file/file_save.h"

namespace tikkano::test {

class MemoryProfile : public Profile, public SaveTarget {
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

    bool writeAll(const std::vector<KeyWrite>& writes) override { return saveKeys(*this, writes); }

    std::optional<std::string> bytes(Where where) const override {
        if (where == Where::kCopy) return copy ? (copyCut ? *copyCut : render(*copy)) : std::string();
        if (unreadable) return std::nullopt;
        return cut ? *cut : render();
    }
    std::uint64_t fileLength() const override { return render().size(); }
    std::optional<DiskRoom> room() const override {
        if (!diskCapacity) return std::nullopt;
        const std::size_t used = inClusters(render()) + (copy ? inClusters(render(*copy)) : 0);
        return DiskRoom{*diskCapacity > used ? *diskCapacity - used : 0, cluster};
    }
    Copy makeCopy() override {
        if (refuseCopies) return Copy::kRefused;
        if (diskCapacity && 2 * inClusters(render()) > *diskCapacity) return Copy::kFailed;
        copy = sections;
        return Copy::kMade;
    }
    bool writeKey(Where where, const KeyWrite& w) override {
        if (failWrites) {
            ++failedWrites;
            return false;
        }
        ++writes;
        if (dropWrites) return true;
        if (where == Where::kFile) {
            store(sections, w.section, w.key, w.value);
            if (diskCapacity) cutToDisk(render(), *diskCapacity, cut);
            return true;
        }
        store(*copy, w.section, w.key, w.value);
        // The copy has what the file leaves free.
        if (diskCapacity) {
            const std::size_t file = inClusters(render());
            cutToDisk(render(*copy), *diskCapacity > file ? *diskCapacity - file : 0, copyCut);
        }
        return true;
    }
    ProfileValue readKey(Where where, const std::string& section, const std::string& key) const override {
        if (where == Where::kFile) return readValue(section, key, "");
        const Entry* e = find(*copy, section, key);
        return {e ? e->value : std::string(), true};
    }
    bool replaceWithCopy() override {
        if (failReplaces) return false;
        ++replaces;
        sections = std::move(*copy);
        cut.reset();
        removeCopy();
        return true;
    }
    void removeCopy() override {
        copy.reset();
        copyCut.reset();
    }
    bool putBack(const std::string& bytes) override {
        ++putBacks;
        cut.reset();
        sections = parse(bytes);
        return true;
    }

    // A text longer than `room` as the full disk leaves it: whole clusters of it.
    void cutToDisk(const std::string& text, std::size_t room, std::optional<std::string>& into) const {
        if (text.size() > room) into = text.substr(0, room / cluster * cluster);
    }
    std::size_t inClusters(const std::string& text) const { return (text.size() + cluster - 1) / cluster * cluster; }

    std::string render() const { return render(sections); }
    static std::string render(const std::vector<Section>& file) {
        std::size_t length = 0;
        for (const Section& s : file) {
            length += s.name.size() + 4;
            for (const Entry& e : s.entries) length += e.key.size() + e.value.size() + 3;
        }
        std::string text;
        text.reserve(length);
        for (const Section& s : file) {
            text.append("[").append(s.name).append("]\r\n");
            for (const Entry& e : s.entries) text.append(e.key).append("=").append(e.value).append("\r\n");
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
        store(sections, section, key, value);
    }
    // What the profile function does: the value stored as its memory holds it.
    static void store(std::vector<Section>& file, const std::string& section, const std::string& key,
                      const std::string& value) {
        for (Section& s : file) {
            if (s.name != section) continue;
            for (Entry& e : s.entries)
                if (e.key == key) {
                    e.value = value;
                    return;
                }
            s.entries.push_back({key, value});
            return;
        }
        // Room for a section's usual keys at once: the fuzzer fills thousands of files.
        if (file.empty()) file.reserve(8);
        file.push_back({section, {}});
        file.back().entries.reserve(16);
        file.back().entries.push_back({key, value});
    }

    const Entry* find(const std::string& section, const std::string& key) const { return find(sections, section, key); }
    static const Entry* find(const std::vector<Section>& file, const std::string& section, const std::string& key) {
        for (const Section& s : file)
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
    int writes = 0;                 // keys written by the profile function, to the file or its copy
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
    std::optional<std::vector<Section>> copy;  // the new copy of a save under way
    std::optional<std::string> copyCut;        // the copy as a full disk left it
    bool refuseCopies = false;                 // the folder takes no new file
    bool failReplaces = false;
    int replaces = 0;
};

}  // namespace tikkano::test
