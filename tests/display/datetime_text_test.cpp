#include "display/datetime_text.h"

#include <gtest/gtest.h>

#include "settings_file/settings.h"
#include "support/memory_profile.h"

namespace tikkano {
namespace {

// Stands in for GetDateFormatA: a picture comes back as itself, a system format
// as its name; a picture with "!" in it is one Windows refuses.
std::string dateSegment(const Settings& settings, LastGoodText& last) {
    const DateCall call = chooseDateCall(settings);
    std::string result;
    if (call.picture)
        result = *call.picture;
    else
        result = call.flags == kDateShortDate ? "<system short>" : call.flags == kDateLongDate ? "<system long>" : "?";
    const bool succeeded = result.find('!') == std::string::npos;
    last.update(succeeded, succeeded ? result.c_str() : "garbage the call left behind");
    return last.segment();
}

TEST(DateText, FollowsTheFlagsOfTheFileAndKeepsTheLastGoodText) {
    test::MemoryProfile file;
    file.write("Status", "ShDtFormat", "dd.MM");
    file.write("Status", "LgDtFormat", "d MMMM!");  // refused by Windows
    file.write("Status", "ShortDt", " 7x");        // not 0: short
    Settings settings;
    loadSettings(file, settings, true);
    LastGoodText last;

    EXPECT_EQ(dateSegment(settings, last), " dd.MM ");
    settings.shortDate = 0;  // the long picture is refused: the short text stays
    EXPECT_EQ(dateSegment(settings, last), " dd.MM ");
    settings.systemDateFormat = -1;  // not 0: the system formats, pictures ignored
    EXPECT_EQ(dateSegment(settings, last), " <system long> ");
    settings.shortDate = 2;
    EXPECT_EQ(dateSegment(settings, last), " <system short> ");

    // A first call that fails shows the two blanks only.
    LastGoodText fresh;
    settings.systemDateFormat = 0;
    settings.shortDate = 0;
    EXPECT_EQ(dateSegment(settings, fresh), "  ");
}

}  // namespace
}  // namespace tikkano
