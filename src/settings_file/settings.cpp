#include "settings_file/settings.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_format.h"

namespace tikkano {
namespace {

constexpr const char* kStatus = "Status";
constexpr const char* kPosition = "Position";
constexpr const char* kColors = "Colors";
constexpr const char* kFont = "Font";
constexpr const char* kAlarm = "Alarm";

// Lengths of the buffers the values are read into; a value keeps length - 1 characters.
constexpr std::size_t kNumberLength = 10;
constexpr std::size_t kPictureLength = 19;
constexpr std::size_t kColoursLength = 100;
constexpr std::size_t kFaceLength = 32;
constexpr std::size_t kSizeLength = 5;
constexpr std::size_t kFontNumberLength = 15;
constexpr std::size_t kLastTimeLength = 15;
constexpr std::size_t kWavePathLength = 143;

constexpr std::uint32_t kColourMask = 0x00FFFFFF;

std::string format(const char* pattern, long value) {
    char text[32];
    formatTo(text, sizeof text, pattern, value);
    return text;
}

std::string decimal(int value) { return format("%ld", value); }

// The profile read drops blanks round a value and one pair of enclosing quotes:
// a text that would lose anything that way is written inside double quotes,
// which the read takes off again.
std::string asWritten(const std::string& text) {
    if (text.empty()) return text;
    auto blankOrQuote = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    return blankOrQuote(text.front()) || blankOrQuote(text.back()) ? '"' + text + '"' : text;
}

// Up to five colours as "%06lx,%06lx,...": scanning stops at the first value that
// does not match and the rest keep what they had.
void scanColours(const std::string& text, std::uint32_t (&colours)[kColourCount]) {
    if (text.empty()) return;
    const char* cursor = text.c_str();
    for (int i = 0; i < kColourCount; ++i) {
        if (i > 0 && *cursor++ != ',') return;
        long long scanned = 0;
        if (!scanNumberField(cursor, 6, 16, scanned)) return;
        colours[i] = static_cast<std::uint32_t>(scanned) & kColourMask;
    }
}

std::string formatColours(const std::uint32_t (&colours)[kColourCount]) {
    char text[100];
    formatTo(text, sizeof text, "%06lx,%06lx,%06lx,%06lx,%06lx",
             static_cast<unsigned long>(colours[0] & kColourMask), static_cast<unsigned long>(colours[1] & kColourMask),
             static_cast<unsigned long>(colours[2] & kColourMask), static_cast<unsigned long>(colours[3] & kColourMask),
             static_cast<unsigned long>(colours[4] & kColourMask));
    return text;
}

}  // namespace

int normalisedDisplayChoice(int choice) { return choice < 0 ? 3 : choice % 7; }

int displayBits(int choice) {
    static constexpr int kBits[7] = {1, 2, 4, 3, 5, 6, 7};
    return kBits[normalisedDisplayChoice(choice)];
}

std::string formatMoment(const Moment& m) {
    char text[64];
    formatTo(text, sizeof text, "%04d%02d%02d%02d%02d", m.year, m.month, m.day, m.hour, m.minute);
    return text;
}

Moment parseMoment(const std::string& text) {
    // As "%04d%02d%02d%02d%02d": the fields after the first that does not match keep their defaults.
    Moment m;
    int* const fields[] = {&m.year, &m.month, &m.day, &m.hour, &m.minute};
    const char* cursor = text.c_str();
    for (int i = 0; i < 5; ++i) {
        long long scanned = 0;
        if (!scanNumberField(cursor, i == 0 ? 4 : 2, 10, scanned)) break;
        *fields[i] = static_cast<int>(scanned);
    }
    return m;
}

void loadSettings(const Profile& profile, Settings& s, bool withLastClosing) {
    // One read for each section, however many keys it holds.
    const SectionReads file(profile);
    auto number = [&](const char* section, const char* key, const char* fallback, std::size_t length) {
        return parseDecimal(file.bounded(section, key, fallback, length));
    };
    auto text = [&](const char* section, const char* key, const char* fallback, std::size_t length) {
        return file.bounded(section, key, fallback, length);
    };

    s.displayChoice = number(kStatus, "Status", "3", kNumberLength);
    s.memoryChoice = number(kStatus, "dStatus", "3", kNumberLength);
    s.border = number(kStatus, "Key", "0", kNumberLength);
    s.topmost = number(kStatus, "Topmost", "1", kNumberLength);
    s.shortDate = number(kStatus, "ShortDt", "0", kNumberLength);
    s.shortDatePicture = text(kStatus, "ShDtFormat", "ddd dd-MMM-yyyy", kPictureLength);
    s.longDatePicture = text(kStatus, "LgDtFormat", "dddd dd MMMM yyyy", kPictureLength);
    s.timePicture = text(kStatus, "TimeFormat", "HH:mm:ss tt", kPictureLength);
    s.defSec = number(kStatus, "defSec", "0", kNumberLength);
    s.language = text(kStatus, "Language", "Rus", kNumberLength) == "Rus" ? kRussian : kEnglish;
    s.systemDateFormat = number(kStatus, "SysDtFmt", "0", kNumberLength);
    s.trayStatus = number(kPosition, "TrayStatus", "0", kNumberLength);
    s.x = number(kPosition, "X", "150", kNumberLength);
    s.y = number(kPosition, "Y", "", kNumberLength);
    scanColours(text(kColors, "Colors", "", kColoursLength), s.colours);
    s.font.faceName = text(kFont, "Name", "System", kFaceLength);
    s.font.height = number(kFont, "Size", "-13", kSizeLength);
    s.font.italic = static_cast<std::uint8_t>(number(kFont, "Italic", "0", kFontNumberLength) & 0xFF);
    s.font.weight = number(kFont, "Weight", "0", kFontNumberLength);
    s.font.charSet = static_cast<std::uint8_t>(number(kFont, "CharSet", "0", kFontNumberLength) & 0xFF);
    if (withLastClosing)
        s.lastClosing = parseMoment(text(kStatus, "LastTime", "000000000000", kLastTimeLength));
}

namespace {

struct Written {
    const char* section;
    const char* key;
    std::string value;
};

// The main sections' values in the order they are written, without WavePath
// and LastTime.
std::vector<Written> mainValues(const Settings& s, int left, int top) {
    return {
        {kStatus, "Status", decimal(normalisedDisplayChoice(s.displayChoice))},
        {kStatus, "dStatus", decimal(s.memoryChoice & 3)},
        {kStatus, "Key", decimal(s.border)},
        {kStatus, "Topmost", decimal(s.topmost)},
        {kStatus, "ShortDt", decimal(s.shortDate)},
        {kStatus, "ShDtFormat", s.shortDatePicture},
        {kStatus, "LgDtFormat", s.longDatePicture},
        {kStatus, "TimeFormat", s.timePicture},
        {kStatus, "defSec", decimal(s.defSec)},
        {kStatus, "Language", s.language == kEnglish ? "Eng" : "Rus"},
        {kStatus, "SysDtFmt", decimal(s.systemDateFormat)},
        {kPosition, "TrayStatus", decimal(s.trayStatus)},
        {kPosition, "X", decimal(left)},
        {kPosition, "Y", decimal(top)},
        {kColors, "Colors", formatColours(s.colours)},
        {kFont, "Name", s.font.faceName},
        {kFont, "Size", decimal(s.font.height)},
        {kFont, "Italic", decimal(s.font.italic)},
        {kFont, "Weight", decimal(s.font.weight)},
        {kFont, "CharSet", decimal(s.font.charSet)},
    };
}

bool sameFont(const IndicatorFont& a, const IndicatorFont& b) {
    return a.faceName == b.faceName && a.height == b.height && a.italic == b.italic && a.weight == b.weight &&
           a.charSet == b.charSet;
}

template <typename T>
void takeUp(T& merged, const T& startedOn, const T& current, const T& read) {
    merged = current == startedOn ? read : current;
}

}  // namespace

bool saveSettings(Profile& profile, Settings& s, int left, int top, const Moment& now,
                  bool withLastClosing, const Settings* unreadStart) {
    // Only values that differ from what the file holds now are written: an
    // unchanged file is left alone, and one edited by hand meanwhile still
    // gets the program's own values. They all go into the file in one save.
    std::vector<KeyWrite> writes;
    s.displayChoice = normalisedDisplayChoice(s.displayChoice);
    std::vector<Written> values = mainValues(s, left, top);
    std::vector<bool> changed(values.size(), true);
    if (unreadStart) {
        const std::vector<Written> started = mainValues(*unreadStart, unreadStart->x, unreadStart->y);
        for (std::size_t i = 0; i < values.size(); ++i) changed[i] = values[i].value != started[i].value;
    }
    {
        const SectionReads file(profile);
        auto put = [&](const char* section, const char* key, const std::string& value) {
            const std::optional<std::string_view> held = file.held(section, key);
            if (held && *held == value) return;
            writes.push_back({section, key, asWritten(value)});
        };
        for (std::size_t i = 0; i < values.size(); ++i) {
            // WavePath, which the program only keeps, goes before the colours.
            if (!unreadStart && values[i].section == kColors)
                put(kAlarm, "WavePath", file.bounded(kAlarm, "WavePath", "", kWavePathLength));
            if (changed[i]) put(values[i].section, values[i].key, values[i].value);
        }
        if (withLastClosing) {
            s.lastClosing = now;
            if (!unreadStart) put(kStatus, "LastTime", formatMoment(now));
        }
    }
    return profile.writeAll(writes);
}

bool saveLastTime(Profile& profile, const Moment& covered) {
    return profile.write(kStatus, "LastTime", formatMoment(covered));
}

bool awaitReadable(const Profile& profile, int checks, const std::function<void()>& pause) {
    for (int check = 1; check <= checks; ++check) {
        if (profile.readable()) return true;
        if (check < checks) pause();
    }
    return false;
}

Settings takenUpSettings(const Settings& startedOn, const Settings& current, const Settings& read) {
    Settings merged = read;
    takeUp(merged.displayChoice, startedOn.displayChoice, current.displayChoice, read.displayChoice);
    takeUp(merged.memoryChoice, startedOn.memoryChoice, current.memoryChoice, read.memoryChoice);
    takeUp(merged.border, startedOn.border, current.border, read.border);
    takeUp(merged.topmost, startedOn.topmost, current.topmost, read.topmost);
    takeUp(merged.shortDate, startedOn.shortDate, current.shortDate, read.shortDate);
    takeUp(merged.shortDatePicture, startedOn.shortDatePicture, current.shortDatePicture, read.shortDatePicture);
    takeUp(merged.longDatePicture, startedOn.longDatePicture, current.longDatePicture, read.longDatePicture);
    takeUp(merged.timePicture, startedOn.timePicture, current.timePicture, read.timePicture);
    takeUp(merged.defSec, startedOn.defSec, current.defSec, read.defSec);
    takeUp(merged.language, startedOn.language, current.language, read.language);
    takeUp(merged.systemDateFormat, startedOn.systemDateFormat, current.systemDateFormat, read.systemDateFormat);
    takeUp(merged.trayStatus, startedOn.trayStatus, current.trayStatus, read.trayStatus);
    if (current.x != startedOn.x || current.y != startedOn.y) merged.x = current.x, merged.y = current.y;
    if (!std::equal(std::begin(current.colours), std::end(current.colours), std::begin(startedOn.colours)))
        std::copy(std::begin(current.colours), std::end(current.colours), std::begin(merged.colours));
    if (!sameFont(current.font, startedOn.font)) merged.font = current.font;
    return merged;
}

std::optional<int> swapScreenPlace(Profile& profile, char axis, int current, int previousExtent, int newExtent) {
    const std::string axisName(1, axis);
    // A place that cannot be written is only lost; nobody is told.
    (void)profile.write(kPosition, axisName + decimal(previousExtent), decimal(current));
    const int remembered = parseDecimal(SectionReads(profile).value(kPosition, axisName + decimal(newExtent), "0").text);
    if (remembered <= 0) return std::nullopt;
    // A hand-edited place beyond the screen would be pulled back onto it anyway;
    // stopping at the screen's edge keeps the window's arithmetic far from overflow.
    return newExtent > 0 && remembered > newExtent ? newExtent : remembered;
}

}  // namespace tikkano
