// Text values of the settings file must come back from a save and a load
// exactly as they were, although the profile read trims them.
#include <gtest/gtest.h>

#include "settings_file/settings.h"
#include "support/trimming_profile.h"

namespace tikkano {
namespace {

using test::TrimmingProfile;

constexpr Moment kClosing{2026, 3, 1, 8, 0};

TEST(SettingsTextValues, ComeBackExactlyAfterSaveAndLoad) {
    const std::string pictures[] = {
        "'\xD1\xE5\xE3\xEE\xE4\xED\xFF' d MMM '\xE3.'",  // 'Сегодня' d MMM 'г.' in code page 1251
        "'Today' d MMMM yyyy 'year'",  // longer than a picture: cut to 18
        "'day' d",
        "d MMM 'of' yyyy 'x'",
        " dd.MM ",
        "HH:mm ",
        "\"yyyy\"",
        "\"",
        "'",
        "\t d",
        "",
        "dd' '",
        "plain picture",
    };
    for (const std::string& picture : pictures) {
        Settings s;
        s.shortDatePicture = picture;
        s.longDatePicture = picture;
        s.timePicture = picture;
        s.font.faceName = picture.empty() ? "System" : picture;
        TrimmingProfile file;
        file.write("Alarm", "WavePath", "\" C:\\sounds\\ding.wav \"");
        saveSettings(file, s, 0, 0, kClosing, true);

        Settings back;
        loadSettings(file, back, true);
        const std::string expected = picture.substr(0, 18);
        EXPECT_EQ(back.shortDatePicture, expected) << "[" << picture << "] as [" << file.find("Status", "ShDtFormat")->value << "]";
        EXPECT_EQ(back.longDatePicture, expected);
        EXPECT_EQ(back.timePicture, expected);
        EXPECT_EQ(back.font.faceName, picture.empty() ? "System" : picture.substr(0, 31));
        // The sound folder read with its blanks is kept with them.
        EXPECT_EQ(file.read("Alarm", "WavePath", ""), " C:\\sounds\\ding.wav ");
    }
}

TEST(SettingsTextValues, OrdinaryValuesAreWrittenBareAndOldFilesReadAsBefore) {
    Settings s;
    TrimmingProfile file;
    saveSettings(file, s, 0, 0, kClosing, true);
    EXPECT_EQ(file.find("Status", "LgDtFormat")->value, "dddd dd MMMM yyyy");
    EXPECT_EQ(file.find("Font", "Name")->value, "System");
    EXPECT_EQ(file.find("Alarm", "WavePath")->value, "");

    // A file written before: unquoted values with blanks round them, and quotes
    // the user typed, read as they always did.
    TrimmingProfile old;
    old.write("Status", "ShDtFormat", "  dd-MM  ");
    old.write("Status", "LgDtFormat", "'Today' d MMM 'x'");
    old.write("Font", "Name", "\"Arial\"");
    Settings fromOld;
    loadSettings(old, fromOld, true);
    EXPECT_EQ(fromOld.shortDatePicture, "dd-MM");
    EXPECT_EQ(fromOld.longDatePicture, "Today' d MMM 'x");
    EXPECT_EQ(fromOld.font.faceName, "Arial");
}

}  // namespace
}  // namespace tikkano
