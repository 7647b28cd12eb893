#include "settings_file/profile.h"

#include <memory>
#include <utility>

#include "settings_file/profile_lines.h"

namespace tikkano {

using namespace profile_lines;

namespace {
// The program's own file has five sections of up to a dozen lines.
constexpr std::size_t kSectionsAtFirst = 8;
constexpr std::size_t kLinesAtFirst = 16;
}  // namespace

bool plainProfileText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        if (text.substr(0, mark.size()) == mark) return false;
    return true;
}

bool sameProfileName(std::string_view a, std::string_view b) { return sameName(a, b); }

ProfileSection::ProfileSection(std::string lines) : text_(std::make_shared<const std::string>(std::move(lines))) {
    std::size_t start = 0;
    while (start < text_->size()) {
        const std::size_t end = std::min(text_->find('\0', start), text_->size());
        addLine(start, end);
        start = end + 1;
    }
}

ProfileSection ProfileSection::inText(std::shared_ptr<const std::string> text, std::string_view section) {
    ProfileSection read;
    read.text_ = std::move(text);
    const std::string_view all(*read.text_);
    bool inside = false;
    for (Lines lines(all); !lines.done();) {
        const auto [start, stop] = lines.next();
        if (const std::optional<std::string_view> name = sectionHeader(all.substr(start, stop - start))) {
            // Only the first section of a name is read.
            if (inside) break;
            inside = sameName(*name, section);
        } else if (inside) {
            read.addLine(start, stop);
        }
    }
    return read;
}

void ProfileSection::addLine(std::size_t start, std::size_t end) {
    const std::string& text = *text_;
    Line line{start, end - start, end, 0, false};
    const void* equals = std::memchr(text.data() + start, '=', end - start);
    if (equals) {
        line.keyLength = static_cast<const char*>(equals) - text.data() - start;
        line.hasValue = true;
        line.value = start + line.keyLength + 1;
        line.valueLength = end - line.value;
        trim(text, line.value, line.valueLength);
        unquote(text, line.value, line.valueLength);
    }
    trim(text, line.key, line.keyLength);
    const bool comment = line.keyLength > 0 && text[line.key] == ';';
    if (comment || (line.keyLength == 0 && !line.hasValue)) return;
    // A section of the program's own has a few lines: room for them in one allocation.
    if (index_.empty()) index_.reserve(kLinesAtFirst);
    index_.push_back(line);
}

std::vector<std::pair<std::string, ProfileSection>> ProfileSection::allInText(
    std::shared_ptr<const std::string> text) {
    std::vector<std::pair<std::string, ProfileSection>> sections;
    sections.reserve(kSectionsAtFirst);
    const std::string_view all(*text);
    for (Lines lines(all); !lines.done();) {
        const auto [start, stop] = lines.next();
        if (const std::optional<std::string_view> name = sectionHeader(all.substr(start, stop - start))) {
            sections.emplace_back(std::string(*name), ProfileSection());
            sections.back().second.text_ = text;
        } else if (!sections.empty()) {
            sections.back().second.addLine(start, stop);
        }
    }
    return sections;
}

void ProfileSection::entries(std::vector<Entry>& into) const {
    into.clear();
    if (!text_) return;
    into.reserve(index_.size());
    const std::string_view text(*text_);
    for (const Line& line : index_) {
        Entry entry{text.substr(line.key, line.keyLength), std::nullopt};
        if (line.hasValue) entry.value = text.substr(line.value, line.valueLength);
        into.push_back(entry);
    }
}

ProfileSection ProfileSection::tooLong() {
    ProfileSection section;
    section.whole_ = false;
    return section;
}

std::optional<std::string_view> ProfileSection::find(std::string_view key) const {
    if (!text_) return std::nullopt;
    const std::string_view text(*text_);
    for (const Line& line : index_) {
        if (!sameName(text.substr(line.key, line.keyLength), key)) continue;
        if (!line.hasValue) return std::nullopt;
        return text.substr(line.value, line.valueLength);
    }
    return std::nullopt;
}

}  // namespace tikkano
