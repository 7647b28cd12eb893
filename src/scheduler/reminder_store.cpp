#include "scheduler/reminder_store.h"

#include "base/profile.h"
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

std::string dateKey(int day, int month, int year) {
    char buffer[48];
    formatTo(buffer, sizeof buffer, "%02d%02d%04d", day, month, year);
    return buffer;
}

std::string weekdayKey(int weekday) {
    char buffer[16];
    formatTo(buffer, sizeof buffer, "%02d", weekday);
    return buffer;
}

std::string monthlyKey(int day) {
    char buffer[16];
    formatTo(buffer, sizeof buffer, "M%02d", day);
    return buffer;
}

std::string yearlyKey(int day, int month) {
    char buffer[32];
    formatTo(buffer, sizeof buffer, "Y%02d%02d", day, month);
    return buffer;
}

std::vector<std::string> todayKeys(const LocalDate& date, bool monthlyAndYearly) {
    std::vector<std::string> keys{dateKey(date.day, date.month, date.year), weekdayKey(date.weekday)};
    if (monthlyAndYearly) {
        keys.push_back(monthlyKey(date.day));
        keys.push_back(yearlyKey(date.day, date.month));
    }
    keys.push_back(kEveryDayKey);
    return keys;
}

ReminderList parseGroup(std::string_view text) {
    const std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);

    ReminderList list;
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t start = 0;
    while (start < text.size()) {
        Reminder r;
        scanTime(text, start, r);

        // The comma searches go on past this entry's ";" when it has too few
        // commas; a field whose closing delimiter never comes stays empty, and so
        // do the fields after it.
        const std::size_t textStart = text.find(',', start);
        if (textStart != npos) {
            const std::size_t runStart = text.find(',', textStart + 1);
            if (runStart != npos) {
                r.text = std::string(text.substr(textStart + 1, runStart - textStart - 1));
                // A ";" can only get into the text through the searches above;
                // keep the text in its stored form all the same.
                replaceChar(r.text, ';', kEscapedSemicolon);
                const std::size_t soundStart = text.find(',', runStart + 1);
                if (soundStart != npos) {
                    r.run = decodePathField(
                        std::string(text.substr(runStart + 1, soundStart - runStart - 1)));
                    const std::size_t end = text.find(';', soundStart + 1);
                    if (end != npos)
                        r.sound = decodePathField(
                            std::string(text.substr(soundStart + 1, end - soundStart - 1)));
                }
            }
        }
        list.push_back(std::move(r));

        const std::size_t next = text.find(';', start);
        if (next == npos) break;
        start = next + 1;
    }
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

ReminderList rebuildToday(const Profile& profile, const LocalDate& date, bool monthlyAndYearly) {
    // The groups come from one read of the section.
    const SectionReads alarm(profile);
    std::string joined;
    for (const std::string& key : todayKeys(date, monthlyAndYearly)) {
        ProfileValue group = alarm.value(kAlarmSection, key, "");
        // A group cut at the bound ends in the middle of an entry: keep its whole
        // entries, so no half entry fires as if it were whole.
        if (!group.whole) group.text.erase(group.text.rfind(';') + 1);
        joined += group.text;
    }
    return parseGroup(joined);
}

}  // namespace tikkano
