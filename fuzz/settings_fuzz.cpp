// Reads arbitrary bytes as hand-edited values of the settings file, one value a
// line: the main sections' keys in reading order, then a screen-size change
// (old extent, new extent, the place stored for the new one, the window's
// coordinate) and a window and a desktop for keeping on screen. Checks that
// numbers, colour lists, LastTime and the position keys read without undefined
// behaviour, and that what the program saves reads back to itself. The bytes
// are also split into sections as a whole file.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "settings_file/profile.h"
#include "settings_file/settings.h"
#include "display/indicator_layout.h"
#include "support/trimming_profile.h"

namespace {

using tikkano::test::MemoryProfile;
// The file reads as Windows reads it: trimmed, one pair of quotes taken off.
using tikkano::test::TrimmingProfile;

void require(bool condition) {
    if (!condition) std::abort();
}

struct Key {
    const char* section;
    const char* name;
};
constexpr Key kKeys[] = {
    {"Status", "Status"},     {"Status", "dStatus"},   {"Status", "Key"},        {"Status", "Topmost"},
    {"Status", "ShortDt"},    {"Status", "ShDtFormat"}, {"Status", "LgDtFormat"}, {"Status", "TimeFormat"},
    {"Status", "defSec"},     {"Status", "Language"},  {"Status", "SysDtFmt"},   {"Position", "TrayStatus"},
    {"Position", "X"},        {"Position", "Y"},       {"Colors", "Colors"},     {"Font", "Name"},
    {"Font", "Size"},         {"Font", "Italic"},      {"Font", "Weight"},       {"Font", "CharSet"},
    {"Status", "LastTime"},   {"Alarm", "WavePath"},
};

std::vector<std::string> lines(const std::string& input) {
    std::vector<std::string> out(1);
    for (char c : input) {
        if (c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// The values of the main sections as a save writes them.
TrimmingProfile saved(const TrimmingProfile& from) {
    tikkano::Settings settings;
    tikkano::loadSettings(from, settings, true);
    TrimmingProfile to;
    // The save keeps WavePath as the file holds it: the stored text, not the read one.
    if (const MemoryProfile::Entry* wave = from.find("Alarm", "WavePath")) to.store("Alarm", "WavePath", wave->value);
    tikkano::saveSettings(to, settings, settings.x, settings.y, settings.lastClosing, true);
    return to;
}

bool sameValues(const MemoryProfile& a, const MemoryProfile& b) {
    if (a.sections.size() != b.sections.size()) return false;
    for (std::size_t s = 0; s < a.sections.size(); ++s) {
        const auto& x = a.sections[s];
        const auto& y = b.sections[s];
        if (x.name != y.name || x.entries.size() != y.entries.size()) return false;
        for (std::size_t e = 0; e < x.entries.size(); ++e)
            if (x.entries[e].key != y.entries[e].key || x.entries[e].value != y.entries[e].value) return false;
    }
    return true;
}

// A number reads back as itself once written with "%d".
void numbersReadBack(const std::vector<std::string>& values) {
    for (const std::string& v : values) {
        const int n = tikkano::parseDecimal(v);
        char written[16];
        std::snprintf(written, sizeof written, "%d", n);
        require(tikkano::parseDecimal(written) == n);
    }
}

// Whatever the file says, a save reads back to the same save. The file is
// filled as a hand edit leaves it; a line holds no "\r", which would end it there.
void savesReadBack(const std::vector<std::string>& values) {
    TrimmingProfile file;
    for (std::size_t i = 0; i < std::size(kKeys) && i < values.size(); ++i)
        if (values[i].find('\r') == std::string::npos) file.store(kKeys[i].section, kKeys[i].name, values[i]);
    const TrimmingProfile first = saved(file);
    const TrimmingProfile second = saved(first);
    require(sameValues(saved(second), second));
}

// A stamp in range reads back whole.
void stampReadsBack(const std::string& text) {
    using tikkano::Moment;
    const Moment stamp = tikkano::parseMoment(text);
    if (stamp.year >= 0 && stamp.year <= 9999 && stamp.month >= 0 && stamp.month <= 99 && stamp.day >= 0 &&
        stamp.day <= 99 && stamp.hour >= 0 && stamp.hour <= 99 && stamp.minute >= 0 && stamp.minute <= 99) {
        const Moment again = tikkano::parseMoment(tikkano::formatMoment(stamp));
        require(again.year == stamp.year && again.month == stamp.month && again.day == stamp.day &&
                again.hour == stamp.hour && again.minute == stamp.minute);
    }
}

// A screen-size change with a hand-edited place, then the window moved there
// and kept on a desktop: all stays in range. `value(i)` is the i-th of them.
template <typename Value>
void screenPlaceInRange(const Value& value) {
    using namespace tikkano;
    const int previousExtent = parseDecimal(value(0));
    const int newExtent = parseDecimal(value(1));
    const int current = parseDecimal(value(3));
    MemoryProfile places;
    char key[16];
    std::snprintf(key, sizeof key, "X%d", newExtent);
    places.write("Position", key, value(2));
    const int place = swapScreenPlace(places, 'X', current, previousExtent, newExtent).value_or(current);
    require(place == current || (place > 0 && (newExtent <= 0 || place <= newExtent)));

    const Rect window = movedTo({parseDecimal(value(4)), parseDecimal(value(5)), parseDecimal(value(6)),
                                 parseDecimal(value(7))},
                                place, parseDecimal(value(8)));
    const Rect desktop{0, 0, parseDecimal(value(9)), parseDecimal(value(10))};
    const Place kept = keepOnScreen(window, desktop);
    if (desktop.right >= 0 && desktop.bottom >= 0 && window.right >= window.left && window.bottom >= window.top) {
        require(kept.left >= 0 && kept.top >= 0);
        const long long width = static_cast<long long>(window.right) - window.left;
        const long long height = static_cast<long long>(window.bottom) - window.top;
        if (width <= desktop.right) require(kept.left + width <= desktop.right);
        if (height <= desktop.bottom) require(kept.top + height <= desktop.bottom);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tikkano;
    const std::vector<std::string> values = lines(std::string(reinterpret_cast<const char*>(data), size));
    auto value = [&](std::size_t i) { return i < values.size() ? values[i] : std::string(); };

    // The bytes as a whole settings file split into sections.
    const auto text = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
    if (plainProfileText(*text))
        for (const Key& key : kKeys) ProfileSection::inText(text, key.section).find(key.name);

    numbersReadBack(values);
    savesReadBack(values);
    stampReadsBack(value(20));
    screenPlaceInRange([&](std::size_t i) { return value(std::size(kKeys) + i); });
    return 0;
}
