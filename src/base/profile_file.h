// The one place that calls the Windows profile functions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/profile.h"

namespace tikkano {

class ProfileFile : public Profile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    ProfileValue readValue(const std::string& section, const std::string& key,
                           const std::string& fallback) const override;
    ProfileSection readSection(const std::string& section) const override;
    std::shared_ptr<const std::string> readText() const override;
    bool readable() const override;
    bool write(const std::string& section, const std::string& key, const std::string& value) override;
    std::optional<std::string> fileBytes() const override;
    std::uint64_t fileLength() const override { return fileSize(); }
    std::optional<DiskRoom> diskRoom() const override;
    bool putBack(const std::string& bytes) override;

    const std::string& path() const { return path_; }

private:
    // Where the file lies: a bare name stands for the file in the Windows
    // directory, as the profile functions take it.
    std::string location() const;
    // The size of the file in bytes, 0 when it cannot be told.
    std::size_t fileSize() const;

    std::string path_;
};

// The settings file: in the start-up directory for the clock program, by bare
// name (so in the Windows directory) for the earlier edition.
std::string settingsFilePath(bool besideProgram);

}  // namespace tikkano
