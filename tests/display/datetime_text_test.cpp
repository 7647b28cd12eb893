#include "display/datetime_text.h"

#include <gtest/gtest.h>

#include "app/settings.h"

namespace tikkano {
namespace {

TEST(DateCall, FlagsChooseBetweenPicturesAndSystemFormats) {
    Settings s;
    DateCall longPicture = chooseDateCall(s);
    EXPECT_EQ(longPicture.flags, 0u);
    ASSERT_NE(longPicture.picture, nullptr);
    EXPECT_EQ(*longPicture.picture, "dddd dd MMMM yyyy");

    s.shortDate = 5;
    DateCall shortPicture = chooseDateCall(s);
    ASSERT_NE(shortPicture.picture, nullptr);
    EXPECT_EQ(*shortPicture.picture, "ddd dd-MMM-yyyy");

    s.systemDateFormat = 1;
    EXPECT_EQ(chooseDateCall(s).flags, kDateShortDate);
    EXPECT_EQ(chooseDateCall(s).picture, nullptr);
    s.shortDate = 0;
    EXPECT_EQ(chooseDateCall(s).flags, kDateLongDate);
    EXPECT_EQ(chooseDateCall(s).picture, nullptr);
}

TEST(LastGoodText, AFailedCallKeepsThePreviousText) {
    LastGoodText text;
    EXPECT_EQ(text.segment(), "  ");
    text.update(true, "10:00:00");
    EXPECT_EQ(text.segment(), " 10:00:00 ");
    text.update(false, "garbage");
    EXPECT_EQ(text.segment(), " 10:00:00 ");
    text.update(true, "10:00:01");
    EXPECT_EQ(text.segment(), " 10:00:01 ");
}

}  // namespace
}  // namespace tikkano
