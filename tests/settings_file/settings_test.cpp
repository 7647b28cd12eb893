#include "settings_file/settings.h"

#include <gtest/gtest.h>

#include "support/memory_profile.h"

namespace tikkano {
namespace {

using test::MemoryProfile;

constexpr Moment kClosing{2026, 12, 7, 9, 5};

Settings loaded(const MemoryProfile& file, bool withLastClosing = true) {
    Settings s;
    loadSettings(file, s, withLastClosing);
    return s;
}

std::string value(const MemoryProfile& file, const char* section, const char* key) {
    const auto* entry = file.find(section, key);
    return entry ? entry->value : "<missing>";
}

TEST(Settings, DisplayAndMemoryChoicesAreKeptInRangeWhenSaved) {
    MemoryProfile file;
    file.write("Status", "Status", "9");
    file.write("Status", "dStatus", "7");
    Settings s = loaded(file);
    EXPECT_EQ(displayBits(s.displayChoice), kShowsMemory);
    MemoryProfile out;
    saveSettings(out, s, 0, 0, kClosing, true);
    EXPECT_EQ(value(out, "Status", "Status"), "2");
    EXPECT_EQ(value(out, "Status", "dStatus"), "3");

    // A negative choice is garbage from a hand-edited file: it shows, and is saved as, the default.
    MemoryProfile negative;
    negative.write("Status", "Status", "-5");
    Settings n = loaded(negative);
    EXPECT_EQ(displayBits(n.displayChoice), kShowsTime | kShowsDate);
    MemoryProfile saved;
    saveSettings(saved, n, 0, 0, kClosing, true);
    EXPECT_EQ(value(saved, "Status", "Status"), "3");
    EXPECT_EQ(displayBits(7), kShowsTime);
    EXPECT_EQ(displayBits(6), kShowsTime | kShowsDate | kShowsMemory);
}

TEST(Settings, LanguageIsRussianOnlyForExactlyRus) {
    for (const char* english : {"English", "Eng", "rus", "", "RUS"}) {
        MemoryProfile file;
        file.write("Status", "Language", english);
        Settings s = loaded(file);
        EXPECT_EQ(s.language, kEnglish) << english;
        MemoryProfile out;
        saveSettings(out, s, 0, 0, kClosing, true);
        EXPECT_EQ(value(out, "Status", "Language"), "Eng");
    }
    MemoryProfile file;
    file.write("Status", "Language", "Rus");
    EXPECT_EQ(loaded(file).language, kRussian);
}

TEST(Settings, ColoursScanUpToTheFirstBadValue) {
    MemoryProfile file;
    file.write("Colors", "Colors", "ff0000,00ff00");
    Settings s = loaded(file);
    EXPECT_EQ(s.colours[kBackground], 0xff0000u);
    EXPECT_EQ(s.colours[kTimeColour], 0x00ff00u);
    EXPECT_EQ(s.colours[kDateColour], 0x00ffffu);
    EXPECT_EQ(s.colours[kMemoryColour], 0xffff00u);
    EXPECT_EQ(s.colours[kRamColour], 0xb4b4b4u);

    MemoryProfile broken;
    broken.write("Colors", "Colors", "123456,zz,654321");
    Settings b = loaded(broken);
    EXPECT_EQ(b.colours[kBackground], 0x123456u);
    EXPECT_EQ(b.colours[kTimeColour], 0x00ff00u);
    EXPECT_EQ(b.colours[kDateColour], 0x00ffffu);

    // Seven digits: six are taken, the seventh stops the scan.
    MemoryProfile long_;
    long_.write("Colors", "Colors", "1234567,000001");
    EXPECT_EQ(loaded(long_).colours[kBackground], 0x123456u);
    EXPECT_EQ(loaded(long_).colours[kTimeColour], 0x00ff00u);

    // A sign makes a value no colour can have: it is kept within 24 bits, so it
    // saves as six digits and reads back the same.
    MemoryProfile negative;
    negative.write("Colors", "Colors", "-1,-1,-1,-1,-1");
    Settings n = loaded(negative);
    MemoryProfile out;
    saveSettings(out, n, 0, 0, kClosing, true);
    EXPECT_EQ(value(out, "Colors", "Colors"), "ffffff,ffffff,ffffff,ffffff,ffffff");
}

TEST(Settings, FontNameDecidesTheCustomFontCaseSensitively) {
    MemoryProfile file;
    file.write("Font", "Name", "system");
    file.write("Font", "Italic", "257");
    file.write("Font", "CharSet", "204");
    Settings s = loaded(file);
    EXPECT_TRUE(s.font.isCustom());
    EXPECT_EQ(s.font.italic, 1);
    EXPECT_EQ(s.font.charSet, 204);
    MemoryProfile out;
    saveSettings(out, s, 0, 0, kClosing, true);
    EXPECT_EQ(value(out, "Font", "CharSet"), "204");
    EXPECT_EQ(value(out, "Font", "Name"), "system");
}

TEST(Settings, GarbageNumbersAndTruncatedStampsReadSafely) {
    MemoryProfile file;
    file.write("Status", "Key", "abc");
    file.write("Position", "X", "  -42xyz");
    file.write("Position", "Y", "99999999999999999999");
    file.write("Status", "LastTime", "2026120");
    Settings s = loaded(file);
    EXPECT_EQ(s.border, 0);
    EXPECT_EQ(s.x, -42);
    EXPECT_EQ(s.y, 999999999);
    EXPECT_EQ(s.lastClosing.year, 2026);
    EXPECT_EQ(s.lastClosing.month, 12);
    EXPECT_EQ(s.lastClosing.day, 0);
    EXPECT_EQ(s.lastClosing.hour, 0);
}

TEST(Settings, EarlierEditionNeitherReadsNorWritesLastTime) {
    MemoryProfile file;
    file.write("Status", "LastTime", "202001010101");
    Settings s = loaded(file, false);
    EXPECT_EQ(s.lastClosing.year, 0);
    MemoryProfile out;
    saveSettings(out, s, 1, 2, kClosing, false);
    EXPECT_EQ(out.find("Status", "LastTime"), nullptr);
    EXPECT_EQ(value(out, "Position", "X"), "1");
}

TEST(Settings, WavePathIsCarriedThroughAndCut) {
    MemoryProfile file;
    file.write("Alarm", "WavePath", std::string(150, 'w'));
    file.write("Alarm", "Day", " 9: 0,x,\x83,;");
    Settings s = loaded(file);
    saveSettings(file, s, 0, 0, kClosing, true);
    EXPECT_EQ(value(file, "Alarm", "WavePath"), std::string(142, 'w'));
    EXPECT_EQ(value(file, "Alarm", "Day"), " 9: 0,x,\x83,;");
}

TEST(Settings, ScreenPlacesAreRememberedPerSize) {
    MemoryProfile file;
    EXPECT_EQ(swapScreenPlace(file, 'X', 700, 1024, 800).value_or(700), 700);
    EXPECT_EQ(value(file, "Position", "X1024"), "700");
    EXPECT_EQ(swapScreenPlace(file, 'X', 300, 800, 1024).value_or(300), 700);
    EXPECT_EQ(value(file, "Position", "X800"), "300");
    file.write("Position", "Y600", "0");
    EXPECT_EQ(swapScreenPlace(file, 'Y', 40, 768, 600).value_or(40), 40);
    file.write("Position", "Y600", "-5");
    EXPECT_EQ(swapScreenPlace(file, 'Y', 40, 768, 600).value_or(40), 40);
    // A hand-edited place beyond the new screen stops at its edge (the window is
    // then kept on the screen as ever), far from the end of the int range.
    file.write("Position", "X800", "2147483647");
    EXPECT_EQ(swapScreenPlace(file, 'X', 300, 1024, 800).value_or(300), 800);
    file.write("Position", "X800", "799");
    EXPECT_EQ(swapScreenPlace(file, 'X', 300, 1024, 800).value_or(300), 799);
}

TEST(Settings, StartUpReadsEachSectionOnce) {
    MemoryProfile file;
    file.write("Status", "Status", "5");
    file.write("Font", "Size", "-20");
    Settings s = loaded(file);
    EXPECT_EQ(s.displayChoice, 5);
    EXPECT_EQ(s.font.height, -20);
    // One read of the whole file, split as the profile functions split it.
    EXPECT_EQ(file.textReads, 1);
    EXPECT_EQ(file.sectionReads, 0);
    EXPECT_EQ(file.valueReads, 0);
    // Where only the profile functions read the file: one read per section.
    file.offersText = false;
    s = loaded(file);
    EXPECT_EQ(s.font.height, -20);
    EXPECT_EQ(file.sectionReads, 4);  // Status, Position, Colors, Font
    EXPECT_EQ(file.valueReads, 0);
}

TEST(Settings, CloseWritesOnlyWhatTheFileDoesNotHold) {
    MemoryProfile file;
    Settings s = loaded(file);
    EXPECT_TRUE(saveSettings(file, s, 10, 20, kClosing, true));
    EXPECT_EQ(file.writes, 22);

    // Nothing changed: nothing written.
    file.writes = 0;
    EXPECT_TRUE(saveSettings(file, s, 10, 20, kClosing, true));
    EXPECT_EQ(file.writes, 0);

    // Values that read the same are left as the file has them; a value edited
    // by hand meanwhile, a key gone and the new closing are written.
    file.store("Status", "ShDtFormat", "  \"ddd dd-MMM-yyyy\"  ");
    file.store("Font", "Name", "Arial");
    file.sections[0].entries.erase(file.sections[0].entries.begin() + 2);  // Status/Key
    s.topmost = 0;
    EXPECT_TRUE(saveSettings(file, s, 10, 20, {2026, 12, 7, 9, 6}, true));
    EXPECT_EQ(file.writes, 4);
    EXPECT_EQ(value(file, "Status", "ShDtFormat"), "  \"ddd dd-MMM-yyyy\"  ");
    EXPECT_EQ(value(file, "Font", "Name"), "System");
    EXPECT_EQ(value(file, "Status", "Key"), "0");
    EXPECT_EQ(value(file, "Status", "Topmost"), "0");
    EXPECT_EQ(value(file, "Status", "LastTime"), "202612070906");
}

TEST(Settings, AFailedSaveIsReportedAndWritesNothing) {
    MemoryProfile file;
    file.write("Status", "Status", "0");
    const std::string before = file.render();
    Settings s = loaded(file);
    file.failWrites = true;
    EXPECT_FALSE(saveSettings(file, s, 10, 20, kClosing, true));
    EXPECT_EQ(file.failedWrites, 1);
    EXPECT_EQ(file.render(), before);
    // Screen places are only lost.
    EXPECT_EQ(swapScreenPlace(file, 'X', 700, 1024, 800).value_or(700), 700);
}

TEST(Settings, AFileNeverReadGetsOnlyWhatTheUserChanged) {
    // The file was held through the whole run: the program ran on the defaults.
    MemoryProfile file;
    file.write("Status", "Status", "0");
    file.write("Status", "LastTime", "202612070800");
    file.write("Alarm", "WavePath", "C:\\bell.wav");
    file.write("Font", "Name", "Arial");
    const Settings startedOn;
    Settings s = startedOn;
    s.language = kEnglish;
    s.colours[kTimeColour] = 0x0000FF;
    file.writes = 0;
    EXPECT_TRUE(saveSettings(file, s, 150, 40, kClosing, true, &startedOn));
    EXPECT_EQ(file.writes, 3);  // Language, Y, Colors
    EXPECT_EQ(value(file, "Status", "Language"), "Eng");
    EXPECT_EQ(value(file, "Position", "Y"), "40");
    EXPECT_EQ(value(file, "Position", "X"), "<missing>");
    EXPECT_EQ(value(file, "Colors", "Colors"), "000000,0000ff,00ffff,ffff00,b4b4b4");
    EXPECT_EQ(value(file, "Status", "Status"), "0");
    EXPECT_EQ(value(file, "Status", "LastTime"), "202612070800");
    EXPECT_EQ(value(file, "Alarm", "WavePath"), "C:\\bell.wav");
    EXPECT_EQ(value(file, "Font", "Name"), "Arial");
}

TEST(Settings, AFileReadLateKeepsWhatTheUserChangedAndTakesUpTheRest) {
    MemoryProfile file;
    file.unreadableChecks = 4;
    int pauses = 0;
    EXPECT_FALSE(awaitReadable(file, 3, [&] { ++pauses; }));
    EXPECT_EQ(pauses, 2);
    EXPECT_TRUE(awaitReadable(file, 3, [&] { ++pauses; }));  // the fourth check fails, the fifth not
    EXPECT_EQ(pauses, 3);

    Settings read;
    read.displayChoice = 0;
    read.language = kEnglish;
    read.x = 400, read.y = 300;
    read.colours[kBackground] = 0x123456;
    read.font.faceName = "Arial";
    read.lastClosing = {2026, 12, 7, 8, 0};
    const Settings startedOn;
    Settings current = startedOn;
    const Settings stayed = takenUpSettings(startedOn, current, read);
    EXPECT_EQ(stayed.displayChoice, 0);
    EXPECT_EQ(stayed.language, kEnglish);
    EXPECT_EQ(stayed.x, 400);
    EXPECT_EQ(stayed.colours[kBackground], 0x123456u);
    EXPECT_EQ(stayed.font.faceName, "Arial");
    EXPECT_EQ(stayed.lastClosing.hour, 8);

    // Moved, topmost turned off, another font and colour chosen: all kept.
    current.x = 10;
    current.topmost = 0;
    current.font.height = -20;
    current.colours[kRamColour] = 0;
    const Settings changed = takenUpSettings(startedOn, current, read);
    EXPECT_EQ(changed.x, 10);
    EXPECT_EQ(changed.y, 0);
    EXPECT_EQ(changed.topmost, 0);
    EXPECT_EQ(changed.font.faceName, "System");
    EXPECT_EQ(changed.font.height, -20);
    EXPECT_EQ(changed.colours[kBackground], 0u);
    EXPECT_EQ(changed.language, kEnglish);
    EXPECT_EQ(changed.lastClosing.hour, 8);
}

}  // namespace
}  // namespace tikkano
