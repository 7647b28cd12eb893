// The settings table (settings.def) against itself and against the golden file
// of the defaults that the end-to-end tests read too.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "settings_file/settings.h"
#include "support/memory_profile.h"

namespace tikkano {
namespace {

using test::MemoryProfile;

constexpr Moment kClosing{2026, 12, 7, 9, 5};  // the golden file's LastTime

struct Row {
    const char* section;
    const char* key;
    const char* fallback;
    std::size_t length;
};

constexpr Row kRows[] = {
#define SETTING(section, key, field, kind, fallback, length, takeUp) {section, key, fallback, length},
#include "settings_file/settings.def"
#undef SETTING
};

std::string goldenDefaults() {
    std::ifstream in(TIKKANO_GOLDEN_DIR "/default_settings.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The save also makes the closing the last closing in memory.
std::string savedText(Settings& s, bool withLastClosing) {
    MemoryProfile out;
    EXPECT_TRUE(saveSettings(out, s, 150, 0, kClosing, withLastClosing));
    return out.render();
}

Settings loaded(const MemoryProfile& file) {
    Settings s;
    loadSettings(file, s, true);
    return s;
}

// A fallback longer than its buffer would be the default of a fresh start and
// come back cut from a file without the key; a key listed twice would be
// written twice and read into two fields.
TEST(SettingsTable, FallbacksFitTheirBuffersAndKeysAreListedOnce) {
    std::set<std::pair<std::string, std::string>> keys;
    for (const Row& row : kRows) {
        EXPECT_LT(std::strlen(row.fallback), row.length) << row.key;
        EXPECT_TRUE(keys.insert({row.section, row.key}).second) << row.section << " " << row.key << " twice";
    }
    EXPECT_EQ(keys.size(), 21u);
}

TEST(SettingsTable, FreshStartSavesTheGoldenDefaults) {
    const std::string golden = goldenDefaults();
    ASSERT_FALSE(golden.empty()) << "the golden file could not be read";
    MemoryProfile empty;
    Settings s = loaded(empty);
    EXPECT_EQ(savedText(s, true), golden);
    EXPECT_EQ(s.lastClosing.minute, 5);
    EXPECT_FALSE(s.font.isCustom());
    // The defaults are what a file without the keys reads as.
    Settings defaults;
    EXPECT_EQ(savedText(defaults, true), golden);
    // The earlier edition writes the same without LastTime.
    const std::size_t line = golden.find("LastTime=202612070905\r\n");
    ASSERT_NE(line, std::string::npos);
    Settings earlier;
    EXPECT_EQ(savedText(earlier, false), golden.substr(0, line) + golden.substr(line + 23));
}

// Every field has its row: a value unlike its default comes back from a save
// and a load, and no row reads into another's field.
TEST(SettingsTable, EverySettingComesBackFromTheFile) {
    Settings s;
    s.displayChoice = 5, s.memoryChoice = 1, s.border = 1, s.topmost = 0, s.shortDate = 1;
    s.shortDatePicture = "d.M", s.longDatePicture = "d MMMM", s.timePicture = "H:mm";
    s.defSec = 7, s.language = kEnglish, s.systemDateFormat = 1, s.trayStatus = 1;
    s.colours[kBackground] = 0x010203, s.colours[kRamColour] = 0x0a0b0c;
    s.font.faceName = "Arial", s.font.height = -20, s.font.italic = 1, s.font.weight = 700, s.font.charSet = 204;
    MemoryProfile file;
    ASSERT_TRUE(saveSettings(file, s, 321, 123, kClosing, true));
    const Settings back = loaded(file);
    EXPECT_EQ(back.displayChoice, 5);
    EXPECT_EQ(back.memoryChoice, 1);
    EXPECT_EQ(back.border, 1);
    EXPECT_EQ(back.topmost, 0);
    EXPECT_EQ(back.shortDate, 1);
    EXPECT_EQ(back.shortDatePicture, "d.M");
    EXPECT_EQ(back.longDatePicture, "d MMMM");
    EXPECT_EQ(back.timePicture, "H:mm");
    EXPECT_EQ(back.defSec, 7);
    EXPECT_EQ(back.language, kEnglish);
    EXPECT_EQ(back.systemDateFormat, 1);
    EXPECT_EQ(back.trayStatus, 1);
    EXPECT_EQ(back.x, 321);
    EXPECT_EQ(back.y, 123);
    EXPECT_EQ(back.colours[kBackground], 0x010203u);
    EXPECT_EQ(back.colours[kTimeColour], 0x00ff00u);
    EXPECT_EQ(back.colours[kRamColour], 0x0a0b0cu);
    EXPECT_EQ(back.font.faceName, "Arial");
    EXPECT_EQ(back.font.height, -20);
    EXPECT_EQ(back.font.italic, 1);
    EXPECT_EQ(back.font.weight, 700);
    EXPECT_EQ(back.font.charSet, 204);
    EXPECT_EQ(formatMoment(back.lastClosing), "202612070905");
}

TEST(SettingsTable, ValuesAreCutToTheirBufferLengths) {
    MemoryProfile file;
    file.write("Font", "Size", "-1000");
    file.write("Status", "TimeFormat", "HH:mm:ss tt HH:mm:ss tt");
    file.write("Font", "Name", std::string(40, 'A'));
    file.write("Status", "Status", "12345678901234");
    Settings s = loaded(file);
    EXPECT_EQ(s.font.height, -100);
    EXPECT_EQ(s.timePicture, "HH:mm:ss tt HH:mm:");
    EXPECT_EQ(s.timePicture.size(), 18u);
    EXPECT_EQ(s.font.faceName.size(), 31u);
    // The nine digits the buffer keeps, reduced into the display table as they are read.
    EXPECT_EQ(s.displayChoice, 123456789 % 7);
}

}  // namespace
}  // namespace tikkano
