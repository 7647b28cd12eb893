#include "settings_file/settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/text_format.h"
#include "settings_file/settings_kinds.h"

namespace tikkano {
namespace {

constexpr const char* kPosition = "Position";
constexpr const char* kAlarm = "Alarm";
constexpr std::string_view kColors = "Colors";

// WavePath is read into a buffer of this length before it is written back.
constexpr std::size_t kWavePathLength = 143;

// How a change made while the file could not be read is kept (settings.def):
// alone, with the other settings of its group, or never (the file's stays).
enum TakeUp { kAlone, kWithPlace, kWithFont, kNever, kTakeUpCount };

// The profile read drops blanks round a value and one pair of enclosing quotes:
// a text that would lose anything that way is written inside double quotes,
// which the read takes off again.
std::string asWritten(const std::string& text) {
    if (text.empty()) return text;
    auto blankOrQuote = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    return blankOrQuote(text.front()) || blankOrQuote(text.back()) ? '"' + text + '"' : text;
}

// One row of settings.def, as the loops below use it.
struct Row {
    const char* section;
    const char* key;
    const char* fallback;
    std::size_t length;
    TakeUp takeUp;
    kinds::Kind kind;
    void* (*field)(Settings&);

    void* in(Settings& s) const { return field(s); }
    const void* in(const Settings& s) const { return field(const_cast<Settings&>(s)); }
};

constexpr Row kRows[] = {
#define SETTING(section, key, field, kind, fallback, length, takeUp)                                         \
    {section, key, fallback, length, k##takeUp, kinds::kind::tag, [](Settings& s) -> void* {               \
         static_assert(std::is_same_v<decltype(s.field), kinds::kind::Type>, "the field is not of its kind"); \
         return &s.field;                                                                                    \
     }},
#include "settings_file/settings.def"
#undef SETTING
};

}  // namespace

Settings::Settings() {
    for (const Row& row : kRows) kinds::read(row.kind, row.in(*this), row.fallback);
}

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
    for (const Row& row : kRows)
        if (withLastClosing || row.kind != kinds::kLastClosing)
            kinds::read(row.kind, row.in(s), file.bounded(row.section, row.key, row.fallback, row.length));
}

namespace {

struct Written {
    const char* section;
    const char* key;
    std::string value;
    bool lastClosing;
};

// The main sections' values in the order they are written, without WavePath.
std::vector<Written> mainValues(const Settings& s) {
    std::vector<Written> values;
    for (const Row& row : kRows)
        values.push_back({row.section, row.key, kinds::written(row.kind, row.in(s)), row.kind == kinds::kLastClosing});
    return values;
}

}  // namespace

bool saveSettings(Profile& profile, Settings& s, int left, int top, const Moment& now,
                  bool withLastClosing, const Settings* unreadStart) {
    // Only values that differ from what the file holds now are written: an
    // unchanged file is left alone, and one edited by hand meanwhile still
    // gets the program's own values. They all go into the file in one save.
    std::vector<KeyWrite> writes;
    if (withLastClosing) s.lastClosing = now;
    Settings shown = s;
    shown.x = left;
    shown.y = top;
    const std::vector<Written> values = mainValues(shown);
    std::vector<bool> changed(values.size(), true);
    if (unreadStart) {
        const std::vector<Written> started = mainValues(*unreadStart);
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
            // LastTime: the closing now, where the edition keeps it and the
            // program knew the file's.
            if (values[i].lastClosing && (!withLastClosing || unreadStart)) continue;
            if (changed[i]) put(values[i].section, values[i].key, values[i].value);
        }
    }
    return profile.writeAll(writes);
}

bool saveLastTime(Profile& profile, const Moment& covered) {
    for (const Row& row : kRows)
        if (row.kind == kinds::kLastClosing) return profile.write(row.section, row.key, formatMoment(covered));
    return false;
}

bool awaitReadable(const Profile& profile, int checks, const std::function<void()>& pause) {
    for (int check = 1; check <= checks; ++check) {
        if (profile.readable()) return true;
        if (check < checks) pause();
    }
    return false;
}

Settings takenUpSettings(const Settings& startedOn, const Settings& current, const Settings& read) {
    // A group (the place, the font) is taken up whole once one of its settings changed.
    bool changed[kTakeUpCount] = {};
    for (const Row& row : kRows) changed[row.takeUp] |= !kinds::same(row.kind, row.in(current), row.in(startedOn));
    Settings merged = read;
    for (const Row& row : kRows) {
        const bool taken = row.takeUp == kAlone ? !kinds::same(row.kind, row.in(current), row.in(startedOn))
                                                : row.takeUp != kNever && changed[row.takeUp];
        if (taken) kinds::copy(row.kind, row.in(merged), row.in(current));
    }
    return merged;
}

std::optional<int> swapScreenPlace(Profile& profile, char axis, int current, int previousExtent, int newExtent) {
    const std::string axisName(1, axis);
    // A place that cannot be written is only lost; nobody is told.
    (void)profile.write(kPosition, axisName + kinds::decimal(previousExtent), kinds::decimal(current));
    const int remembered = parseDecimal(SectionReads(profile).value(kPosition, axisName + kinds::decimal(newExtent), "0").text);
    if (remembered <= 0) return std::nullopt;
    // A hand-edited place beyond the screen would be pulled back onto it anyway;
    // stopping at the screen's edge keeps the window's arithmetic far from overflow.
    return newExtent > 0 && remembered > newExtent ? newExtent : remembered;
}

}  // namespace tikkano
