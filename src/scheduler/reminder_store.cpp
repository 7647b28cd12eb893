#include "scheduler/reminder_store.h"

#include "settings_file/profile.h"
#include "base/text_format.h"

namespace tikkano {

namespace {

constexpr char kEscapedLineFeed = '\x85';
constexpr char kEscapedReturn = '\x86';
constexpr char kEscapedComma = '\x82';
constexpr char kEscapedSemicolon = '\x84';

// Run field and sound have no escaping of their own in the file; commas and
// semicolons in them are written with the bytes the message text uses.
std::string encodePathField(std::string field) {
    replaceChar(field, ',', kEscapedComma);
    replaceChar(field, ';', kEscapedSemicolon);
    return field;
}

std::string decodePathField(std::string field) {
    replaceChar(field, kEscapedComma, ',');
    replaceChar(field, kEscapedSemicolon, ';');
    return field;
}

bool isScanBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%2d" conversion at `pos`: blanks skipped, then at most two characters of
// sign and digits. On success stores the number and moves `pos` past it.
bool scanTwoCharNumber(std::string_view text, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < text.size() && isScanBlank(text[i])) ++i;
    const std::size_t end = text.size() - i < 2 ? text.size() : i + 2;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int number = 0;
    bool digits = false;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + (text[i] - '0');
        digits = true;
    }
    if (!digits) return false;
    value = negative ? -number : number;
    pos = i;
    return true;
}

// "%2d:%2d" at the start of an entry; a number that cannot be read stays -1.
void scanTime(std::string_view text, std::size_t pos, Reminder& r) {
    r.hour = -1;
    r.minute = -1;
    if (!scanTwoCharNumber(text, pos, r.hour)) return;
    if (pos >= text.size() || text[pos] != ':') return;
    ++pos;
    scanTwoCharNumber(text, pos, r.minute);
}

std::string_view upToZero(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

constexpr std::size_t npos = std::string_view::npos;

// The first `c` at or after a position, for positions that never go back:
// a search answers the next ones up to what it found, so a run of entries
// that all search past their own ends costs one pass over the text.
class ForwardSearch {
public:
    ForwardSearch(std::string_view text, char c) : text_(text), c_(c) {}
    std::size_t from(std::size_t pos) {
        if (!searched_ || pos < query_ || pos > found_) {
            query_ = pos;
            found_ = text_.find(c_, pos);
            searched_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    char c_;
    bool searched_ = false;
    std::size_t query_ = 0;
    std::size_t found_ = npos;
};

// Where one entry's parts lie: its start, the commas before its text, run
// field and sound, and the ";" after the sound; npos for those not found.
struct EntryPlace {
    std::size_t start;
    std::size_t fields[4];
};

// Finds the entries of a group's text in order. The comma searches go on past
// an entry's ";" when it has too few commas; a field whose closing delimiter
// never comes stays empty, and so do the fields after it.
template <typename Visit>
void scanEntries(std::string_view text, Visit&& visit) {
    ForwardSearch searches[] = {{text, ','}, {text, ','}, {text, ','}, {text, ';'}};
    ForwardSearch nextEntry(text, ';');
    std::size_t start = 0;
    while (start < text.size()) {
        EntryPlace place{start, {npos, npos, npos, npos}};
        std::size_t from = start;
        for (int i = 0; i < 4; ++i) {
            place.fields[i] = searches[i].from(from);
            if (place.fields[i] == npos) break;
            from = place.fields[i] + 1;
        }
        visit(place);
        const std::size_t next = nextEntry.from(start);
        if (next == npos) break;
        start = next + 1;
    }
}

std::string between(std::string_view text, std::size_t open, std::size_t close) {
    return close == npos ? std::string() : std::string(text.substr(open + 1, close - open - 1));
}

void readFields(std::string_view text, const EntryPlace& place, Reminder& r) {
    const std::size_t* f = place.fields;
    if (f[0] == npos) return;
    r.text = between(text, f[0], f[1]);
    // A ";" can only get into the text through the searches running past an
    // entry's end; keep the text in its stored form all the same.
    replaceChar(r.text, ';', kEscapedSemicolon);
    if (f[1] == npos) return;
    r.run = decodePathField(between(text, f[1], f[2]));
    if (f[2] == npos) return;
    r.sound = decodePathField(between(text, f[2], f[3]));
}

std::string formatTime(int hour, int minute) {
    char buffer[32];
    formatTo(buffer, sizeof buffer, "%2d:%2d", hour, minute);
    return buffer;
}

}  // namespace

void replaceChar(std::string& text, char from, char to) {
    for (char& c : text)
        if (c == from) c = to;
}

std::string escapeText(std::string text) {
    replaceChar(text, '\n', kEscapedLineFeed);
    replaceChar(text, '\r', kEscapedReturn);
    replaceChar(text, ',', kEscapedComma);
    replaceChar(text, ';', kEscapedSemicolon);
    return text;
}

std::string unescapeText(std::string text) {
    replaceChar(text, '|', '\n');
    replaceChar(text, '\\', '\r');
    replaceChar(text, kEscapedLineFeed, '\n');
    replaceChar(text, kEscapedReturn, '\r');
    replaceChar(text, kEscapedComma, ',');
    replaceChar(text, kEscapedSemicolon, ';');
    return text;
}

ReminderList parseGroup(std::string_view text) {
    text = upToZero(text);
    ReminderList list;
    scanEntries(text, [&](const EntryPlace& place) {
        Reminder r;
        scanTime(text, place.start, r);
        readFields(text, place, r);
        list.push_back(std::move(r));
    });
    return list;
}

std::string serializeGroup(const ReminderList& list) {
    std::string group;
    for (const Reminder& r : list) {
        group += formatTime(r.hour, r.minute);
        group += ',';
        // The text is stored escaped already; a stray delimiter would split the entry.
        std::string text = r.text;
        replaceChar(text, ',', kEscapedComma);
        replaceChar(text, ';', kEscapedSemicolon);
        group += text;
        group += ',';
        group += encodePathField(r.run);
        group += ',';
        group += encodePathField(r.sound);
        group += ';';
    }
    return group;
}

bool canFire(int hour, int minute) {
    return hour >= 0 && minute >= 0 && static_cast<long long>(hour) * 60 + minute < 24 * 60;
}

TodayReminders::TodayReminders(std::string joined) : text_(std::move(joined)) {
    text_.resize(upToZero(text_).size());
    // Offsets are kept in 32 bits; the day's groups are far shorter than that.
    if (text_.size() >= kMissing) text_.resize(kMissing - 1);
    const std::string_view text = text_;
    auto each = [&](auto&& keep) {
        scanEntries(text, [&](const EntryPlace& place) {
            Reminder time;
            scanTime(text, place.start, time);
            if (canFire(time.hour, time.minute)) keep(place, time);
        });
    };
    // Counted first, so the list is made at its size and never grows by copies.
    std::size_t count = 0;
    each([&](const EntryPlace&, const Reminder&) { ++count; });
    entries_.reserve(count);
    each([&](const EntryPlace& place, const Reminder& time) {
        Entry entry{static_cast<std::int16_t>(time.hour), static_cast<std::int16_t>(time.minute), {}};
        for (int i = 0; i < 4; ++i)
            entry.fields[i] = place.fields[i] == npos ? kMissing : static_cast<std::uint32_t>(place.fields[i]);
        entries_.push_back(entry);
    });
}

Reminder TodayReminders::at(std::size_t i) const {
    const Entry& entry = entries_[i];
    EntryPlace place{0, {}};
    for (int f = 0; f < 4; ++f) place.fields[f] = entry.fields[f] == kMissing ? npos : entry.fields[f];
    Reminder r;
    r.hour = entry.hour;
    r.minute = entry.minute;
    readFields(text_, place, r);
    return r;
}

std::size_t TodayReminders::bytesTaken() const {
    return sizeof *this + text_.capacity() + entries_.capacity() * sizeof(Entry);
}

TodayReminders rebuildToday(const Profile& profile, const LocalDate& date, bool monthlyAndYearly) {
    // The groups come from one read of the section.
    const SectionReads alarm(profile);
    std::vector<std::string> groups;
    std::size_t length = 0;
    for (const std::string& key : todayKeys(date, monthlyAndYearly)) {
        ProfileValue group = alarm.value(kAlarmSection, key, "");
        // A group cut at the bound ends in the middle of an entry: keep its whole
        // entries, so no half entry fires as if it were whole.
        if (!group.whole) group.text.erase(group.text.rfind(';') + 1);
        length += group.text.size();
        groups.push_back(std::move(group.text));
    }
    std::string joined;
    joined.reserve(length);
    for (std::string& group : groups) {
        joined += group;
        std::string().swap(group);
    }
    return TodayReminders(std::move(joined));
}

}  // namespace tikkano
