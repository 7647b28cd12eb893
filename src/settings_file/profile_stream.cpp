#include "settings_file/profile.h"

#include <memory>
#include <utility>

#include "settings_file/profile_lines.h"

namespace tikkano {
namespace {

using namespace profile_lines;

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

}  // namespace tikkano
