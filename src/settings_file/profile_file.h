// The one place that calls the Windows profile functions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings_file/file_save.h"
#include "settings_file/profile.h"

namespace tikkano {

class ProfileFile : public Profile {
public:
    // A file of more than `streamAbove` bytes is read by streaming it (tests
    // set it low to stream small files).
    explicit ProfileFile(std::string path, std::size_t streamAbove = kLongestSection)
        : path_(std::move(path)), streamAbove_(streamAbove) {}

    ProfileValue readValue(const std::string& section, const std::string& key,
                           const std::string& fallback) const override;
    ProfileSection readSection(const std::string& section) const override;
    std::shared_ptr<const std::string> readText() const override;
    bool readable() const override;
    bool writeAll(const std::vector<KeyWrite>& writes) override;
    bool folderInPlace() const override;

    const std::string& path() const { return path_; }
    // The path the profile functions are given for the file or its save copy.
    std::string pathOf(SaveTarget::Where where) const;
    // Where the file lies: a bare name stands for the file in the Windows
    // directory, as the profile functions take it.
    std::string location() const;

private:
    // The size of the file in bytes, 0 when it cannot be told.
    std::size_t fileSize() const;
    // True when the file is read by streaming it, not through the profile functions.
    bool streamed(std::size_t size) const;
    // False when the profile functions cannot load the file at all.
    bool functionsLoad() const;

    std::string path_;
    std::size_t streamAbove_;

    // The Unicode file (at the end of profile_file.cpp).
public:
    bool valueFitsCodePage(const std::string& section, const std::string& key) const override;
};

// The settings file: in the start-up directory for the clock program, by bare
// name (so in the Windows directory) for the earlier edition.
std::string settingsFilePath(bool besideProgram);

}  // namespace tikkano
