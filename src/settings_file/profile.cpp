#include "settings_file/profile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>

namespace tikkano {
namespace {

// What the profile functions take for blanks round keys and values.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a'; }

void trim(const std::string& text, std::size_t& start, std::size_t& length) {
    while (length > 0 && isBlank(text[start])) ++start, --length;
    while (length > 0 && isBlank(text[start + length - 1])) --length;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A section read leaves out lines starting with ";", which a read of that key
// alone still finds; the program's own keys never start so.
bool readAlone(const ProfileSection& section, const std::string& key) {
    return !section.whole() || (!key.empty() && key[0] == ';');
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The lines of a text: "\r" and "\n" each end one, as the profile functions
// split the file.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text), nextReturn_(find('\r')), nextNewline_(find('\n')) {}

    bool done() const { return start_ >= text_.size(); }
    // The next line's start and end.
    std::pair<std::size_t, std::size_t> next() {
        // Each end is searched for once past the last one found: one pass over
        // the text however its lines end.
        if (nextReturn_ < start_) nextReturn_ = find('\r');
        if (nextNewline_ < start_) nextNewline_ = find('\n');
        const std::size_t start = start_, end = std::min(nextReturn_, nextNewline_);
        start_ = end + 1;
        return {start, end};
    }

private:
    std::size_t find(char c) const {
        const void* found = std::memchr(text_.data() + start_, c, text_.size() - start_);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data()) : text_.size();
    }

    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t nextReturn_, nextNewline_;
};

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

// The name a line opens a section with, or nothing for any other line.
std::optional<std::string_view> sectionHeader(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

// The bytes a streamed read takes from the file at a time.
constexpr std::size_t kStreamBuffer = 64 * 1024;

// Whether bytes fed one at a time are blanks, `name` without regard to case,
// then blanks: a key before its "=", or a section's name inside its brackets.
class BlankedName {
public:
    explicit BlankedName(std::string_view name) : name_(name) {}

    void restart() {
        matched_ = 0;
        state_ = State::before;
    }
    void feed(char c) {
        switch (state_) {
        case State::before:
            if (isBlank(c)) return;
            state_ = State::inside;
            [[fallthrough]];
        case State::inside:
            if (matched_ < name_.size() && lower(c) == lower(name_[matched_])) ++matched_;
            else if (matched_ == name_.size() && isBlank(c)) state_ = State::after;
            else state_ = State::failed;
            return;
        case State::after:
            if (!isBlank(c)) state_ = State::failed;
            return;
        case State::failed:
            return;
        }
    }
    bool failed() const { return state_ == State::failed; }
    bool matches() const { return state_ != State::failed && matched_ == name_.size(); }

private:
    enum class State { before, inside, after, failed };
    std::string_view name_;
    std::size_t matched_ = 0;
    State state_ = State::before;
};

// Tells, piece by piece, whether a line opens a section (its first non-blank
// byte is "[" and a "]" follows) and whether that section is the one wanted:
// its name runs to the line's last "]".
class HeaderLine {
public:
    explicit HeaderLine(std::string_view wanted) : name_(wanted) {}

    void restart() {
        state_ = State::lead;
        sawClose_ = matchesSoFar_ = false;
        name_.restart();
    }
    void feed(std::string_view piece) {
        std::size_t i = 0;
        if (state_ == State::lead) {
            while (i < piece.size() && isBlank(piece[i])) ++i;
            if (i == piece.size()) return;
            state_ = piece[i++] == '[' ? State::bracket : State::other;
        }
        if (state_ == State::other) return;
        // Byte by byte only while the name can still match; past that only
        // whether another "]" comes matters.
        for (; i < piece.size() && !name_.failed(); ++i) {
            if (piece[i] == ']') {
                sawClose_ = true;
                matchesSoFar_ = name_.matches();
            }
            name_.feed(piece[i]);
        }
        if (i < piece.size() && (!sawClose_ || matchesSoFar_) && std::memchr(piece.data() + i, ']', piece.size() - i)) {
            sawClose_ = true;
            matchesSoFar_ = false;
        }
    }
    bool isHeader() const { return sawClose_; }
    bool isWanted() const { return sawClose_ && matchesSoFar_; }

private:
    enum class State { lead, bracket, other };
    BlankedName name_;
    State state_ = State::lead;
    bool sawClose_ = false, matchesSoFar_ = false;
};

// Takes the lines of a streamed text: the pieces of each line as they come,
// then its end.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void piece(std::string_view bytes) = 0;
    // False once the sink has what it wants.
    virtual bool end() = 0;
};

// Feeds the lines of the stream's text to `sink`, split as Lines splits a
// whole text. False when the text is not plain or cannot be read.
bool pumpLines(ProfileStream& stream, LineSink& sink) {
    const std::unique_ptr<char[]> buffer(new char[kStreamBuffer]);
    std::string head;  // the first bytes, for the byte-order marks
    bool open = false;  // the current line has bytes
    for (;;) {
        std::size_t got = 0;
        if (!stream.read(buffer.get(), kStreamBuffer, got)) return false;
        if (got == 0) break;
        std::string_view chunk(buffer.get(), got);
        if (head.size() < 3) {
            head += chunk.substr(0, 3 - head.size());
            if (head.size() == 3 && !plainProfileText(head)) return false;
        }
        if (std::memchr(chunk.data(), '\0', chunk.size())) return false;
        while (!chunk.empty()) {
            const void* cr = std::memchr(chunk.data(), '\r', chunk.size());
            const void* lf = std::memchr(chunk.data(), '\n', chunk.size());
            const char* stop = static_cast<const char*>(!cr ? lf : !lf ? cr : std::min(cr, lf));
            if (!stop) {
                sink.piece(chunk);
                open = true;
                break;
            }
            const std::size_t length = static_cast<std::size_t>(stop - chunk.data());
            if (length) sink.piece(chunk.substr(0, length));
            open = false;
            if (!sink.end()) return plainProfileText(head);
            chunk.remove_prefix(length + 1);
        }
    }
    if (!plainProfileText(head)) return false;
    if (open) sink.end();
    return true;
}

// Keeps the lines of the first section of a name, as inText does.
class SectionLines : public LineSink {
public:
    SectionLines(std::string_view section, std::size_t longest) : header_(section), longest_(longest) {}

    void piece(std::string_view bytes) override {
        header_.feed(bytes);
        if (!inside_ || cut_) return;
        if (lines_.size() + bytes.size() > longest_) cut_ = true;
        else lines_ += bytes;
    }
    bool end() override {
        const bool header = header_.isHeader(), wanted = header_.isWanted();
        header_.restart();
        if (header) {
            // Only the first section of a name is read.
            if (inside_) {
                lines_.resize(lineStart_);
                cut_ = false;
                return false;
            }
            inside_ = wanted;
        } else if (inside_) {
            if (cut_) return false;
            lines_ += '\0';
        }
        lineStart_ = lines_.size();
        return true;
    }
    ProfileSection take() { return cut_ ? ProfileSection::tooLong() : ProfileSection(std::move(lines_)); }

private:
    HeaderLine header_;
    std::size_t longest_;
    std::string lines_;
    std::size_t lineStart_ = 0;
    bool inside_ = false, cut_ = false;
};

// Finds one key's value in the first section of a name, as a read of that
// section finds it: the first line of the key counts, and one without "="
// hides the key.
class KeyValue : public LineSink {
public:
    KeyValue(std::string_view section, std::string_view key) : header_(section), key_(key) {}

    void piece(std::string_view bytes) override {
        header_.feed(bytes);
        if (!inside_) return;
        std::size_t i = 0;
        if (!inValue_) {
            for (; i < bytes.size() && !key_.failed(); ++i) {
                if (bytes[i] == '=') {
                    inValue_ = key_.matches();
                    if (!inValue_) key_.feed('=');  // no blank: the key cannot match any more
                    ++i;
                    break;
                }
                key_.feed(bytes[i]);
            }
            if (!inValue_) return;
        }
        take(bytes.substr(i));
    }
    bool end() override {
        const bool header = header_.isHeader(), wanted = header_.isWanted();
        const bool keyLine = inValue_ || key_.matches();
        header_.restart();
        key_.restart();
        if (header) {
            if (inside_) return false;
            inside_ = wanted;
            return true;
        }
        if (!inside_ || !keyLine) {
            inValue_ = false;
            return true;
        }
        if (inValue_) finish();
        return false;
    }
    StreamedValue result() const { return result_; }

private:
    // The value's bytes after its leading blanks, as many as the bound needs.
    void take(std::string_view bytes) {
        if (!started_) {
            std::size_t skip = 0;
            while (skip < bytes.size() && isBlank(bytes[skip])) ++skip;
            bytes.remove_prefix(skip);
            if (bytes.empty()) return;
            started_ = true;
        }
        if (kept_.size() < kLongestValue + 2) kept_ += bytes.substr(0, kLongestValue + 2 - kept_.size());
        std::size_t last = bytes.size();
        while (last > 0 && isBlank(bytes[last - 1])) --last;
        if (last > 0) {
            trimmedLength_ = length_ + last;
            lastByte_ = bytes[last - 1];
        }
        length_ += bytes.size();
    }
    void finish() {
        std::size_t start = 0, length = trimmedLength_;
        // One pair of enclosing quotes, single or double, is taken off.
        if (length >= 2 && (kept_[0] == '"' || kept_[0] == '\'') && lastByte_ == kept_[0]) start = 1, length -= 2;
        result_.found = true;
        result_.value.whole = length <= kLongestValue;
        result_.value.text = kept_.substr(start, std::min(length, kLongestValue));
    }

    HeaderLine header_;
    BlankedName key_;
    bool inside_ = false, inValue_ = false, started_ = false;
    std::string kept_;
    std::size_t length_ = 0, trimmedLength_ = 0;
    char lastByte_ = 0;
    StreamedValue result_;
};

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
        // One pair of enclosing quotes, single or double, is taken off.
        if (line.valueLength >= 2) {
            const char first = text[line.value];
            if ((first == '"' || first == '\'') && text[line.value + line.valueLength - 1] == first)
                ++line.value, line.valueLength -= 2;
        }
    }
    trim(text, line.key, line.keyLength);
    const bool comment = line.keyLength > 0 && text[line.key] == ';';
    if (!comment && (line.keyLength > 0 || line.hasValue)) index_.push_back(line);
}

std::vector<std::pair<std::string, ProfileSection>> ProfileSection::allInText(
    std::shared_ptr<const std::string> text) {
    std::vector<std::pair<std::string, ProfileSection>> sections;
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

std::vector<ProfileSection::Entry> ProfileSection::entries() const {
    std::vector<Entry> entries;
    if (!text_) return entries;
    const std::string_view text(*text_);
    for (const Line& line : index_) {
        Entry entry{text.substr(line.key, line.keyLength), std::nullopt};
        if (line.hasValue) entry.value = text.substr(line.value, line.valueLength);
        entries.push_back(entry);
    }
    return entries;
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

const ProfileSection& SectionReads::sectionOf(const std::string& section) const {
    for (const auto& [name, read] : sections_)
        if (name == section) return read;
    if (!textRead_) {
        textRead_ = true;
        text_ = profile_.readText();
    }
    sections_.emplace_back(section, text_ ? ProfileSection::inText(text_, section) : profile_.readSection(section));
    return sections_.back().second;
}

ProfileValue SectionReads::value(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return profile_.readValue(section, key, fallback);
    const std::optional<std::string_view> found = read.find(key);
    if (!found) return {fallback, true};
    if (found->size() > kLongestValue) return {std::string(found->substr(0, kLongestValue)), false};
    return {std::string(*found), true};
}

std::string SectionReads::bounded(const std::string& section, const std::string& key, const std::string& fallback,
                                  std::size_t bufferLength) const {
    const std::size_t keep = bufferLength == 0 ? 0 : bufferLength - 1;
    const ProfileSection& read = sectionOf(section);
    if (!readAlone(read, key)) {
        // Only the part the buffer takes is copied.
        const std::optional<std::string_view> found = read.find(key);
        const std::string_view text = found ? *found : std::string_view(fallback);
        return std::string(text.substr(0, keep));
    }
    std::string text = profile_.read(section, key, fallback);
    if (text.size() > keep) text.resize(keep);
    return text;
}

bool SectionReads::empty(const std::string& section, const std::string& key) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return profile_.read(section, key, "").empty();
    const std::optional<std::string_view> found = read.find(key);
    return !found || found->empty();
}

std::optional<std::string_view> SectionReads::held(const std::string& section, const std::string& key) const {
    const ProfileSection& read = sectionOf(section);
    if (readAlone(read, key)) return std::nullopt;
    return read.find(key);
}

std::optional<ProfileSection> streamSection(ProfileStream& stream, std::string_view section, std::size_t longest) {
    SectionLines lines(section, longest);
    if (!pumpLines(stream, lines)) return std::nullopt;
    return lines.take();
}

std::optional<StreamedValue> streamValue(ProfileStream& stream, std::string_view section, std::string_view key) {
    KeyValue value(section, key);
    if (!pumpLines(stream, value)) return std::nullopt;
    return value.result();
}

std::string readBounded(const Profile& profile, const std::string& section, const std::string& key,
                        const std::string& fallback, std::size_t bufferLength) {
    std::string value = profile.read(section, key, fallback);
    const std::size_t keep = bufferLength == 0 ? 0 : bufferLength - 1;
    if (value.size() > keep) value.resize(keep);
    return value;
}

int parseDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

}  // namespace tikkano
