#include "settings_file/settings_kinds.h"

#include <algorithm>
#include <iterator>

#include "base/text_format.h"
#include "settings_file/profile.h"

namespace tikkano::kinds {
namespace {

constexpr std::uint32_t kColourMask = 0x00FFFFFF;

template <typename T>
T& as(void* field) { return *static_cast<T*>(field); }
template <typename T>
const T& as(const void* field) { return *static_cast<const T*>(field); }

void scanColours(const std::string& text, Colours& colours) {
    const char* cursor = text.c_str();
    for (int i = 0; i < kColourCount && !text.empty(); ++i) {
        if (i > 0 && *cursor++ != ',') return;
        long long scanned = 0;
        if (!scanNumberField(cursor, 6, 16, scanned)) return;
        colours[i] = static_cast<std::uint32_t>(scanned) & kColourMask;
    }
}

std::string formatColours(const Colours& c) {
    char text[100];
    formatTo(text, sizeof text, "%06lx,%06lx,%06lx,%06lx,%06lx", static_cast<unsigned long>(c[0] & kColourMask),
             static_cast<unsigned long>(c[1] & kColourMask), static_cast<unsigned long>(c[2] & kColourMask),
             static_cast<unsigned long>(c[3] & kColourMask), static_cast<unsigned long>(c[4] & kColourMask));
    return text;
}

}  // namespace

std::string decimal(long value) {
    char text[32];
    formatTo(text, sizeof text, "%ld", value);
    return text;
}

void read(Kind kind, void* field, const std::string& text) {
    switch (kind) {
    case kByte: as<std::uint8_t>(field) = static_cast<std::uint8_t>(parseDecimal(text) & 0xFF); break;
    // Reduced into the display table once, as it is read: nothing that shows
    // or saves it changes it again.
    case kDisplayChoice: as<int>(field) = normalisedDisplayChoice(parseDecimal(text)); break;
    case kText: as<std::string>(field) = text; break;
    case kLanguageName: as<Language>(field) = text == "Rus" ? kRussian : kEnglish; break;
    case kColourList: scanColours(text, as<Colours>(field)); break;
    case kLastClosing: as<Moment>(field) = parseMoment(text); break;
    default: as<int>(field) = parseDecimal(text); break;
    }
}

std::string written(Kind kind, const void* field) {
    switch (kind) {
    case kDisplayChoice: return decimal(normalisedDisplayChoice(as<int>(field)));
    case kMemoryChoice: return decimal(as<int>(field) & 3);
    case kByte: return decimal(as<std::uint8_t>(field));
    case kText: return as<std::string>(field);
    case kLanguageName: return as<Language>(field) == kEnglish ? "Eng" : "Rus";
    case kColourList: return formatColours(as<Colours>(field));
    case kLastClosing: return formatMoment(as<Moment>(field));
    default: return decimal(as<int>(field));
    }
}

bool same(Kind kind, const void* a, const void* b) {
    switch (kind) {
    case kByte: return as<std::uint8_t>(a) == as<std::uint8_t>(b);
    case kText: return as<std::string>(a) == as<std::string>(b);
    case kLanguageName: return as<Language>(a) == as<Language>(b);
    case kColourList: return std::equal(std::begin(as<Colours>(a)), std::end(as<Colours>(a)), std::begin(as<Colours>(b)));
    case kLastClosing: return formatMoment(as<Moment>(a)) == formatMoment(as<Moment>(b));
    default: return as<int>(a) == as<int>(b);
    }
}

void copy(Kind kind, void* to, const void* from) {
    switch (kind) {
    case kByte: as<std::uint8_t>(to) = as<std::uint8_t>(from); break;
    case kText: as<std::string>(to) = as<std::string>(from); break;
    case kLanguageName: as<Language>(to) = as<Language>(from); break;
    case kColourList: std::copy(std::begin(as<Colours>(from)), std::end(as<Colours>(from)), as<Colours>(to)); break;
    case kLastClosing: as<Moment>(to) = as<Moment>(from); break;
    default: as<int>(to) = as<int>(from); break;
    }
}

}  // namespace tikkano::kinds
