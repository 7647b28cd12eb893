#include "dates/calendar_math.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/texts.h"

namespace tikkano {
namespace {

TEST(CalendarMath, WeekdayAgreesWithADayCountOverEveryDayOfYearsOneTo9999) {
    // 1 January of year 1 was a Monday in the proleptic Gregorian calendar.
    long long count = 0;
    for (int year = kFirstYear; year <= kLastYear; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= monthLength(month, year); ++day, ++count)
                ASSERT_EQ(weekday(day, month, year), count % 7) << day << "." << month << "." << year;
    EXPECT_EQ(count, 3652059);  // days in years 1 to 9999
}

TEST(CalendarMath, WeekdayIsTheOldFormulaWhereThatFormulaWasRight) {
    // Stored date keys keep their weekday between 1 March 1900 and 28 February 2100.
    auto oldFormula = [](int d, int m, int y) {
        const int mm = m <= 2 ? m + 13 : m + 1;
        const int yy = m <= 2 ? y - 1 : y;
        return ((153 * mm) / 5 + d + ((1461 * yy) >> 2) - 3) % 7;
    };
    for (int year = 1900; year <= 2100; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= monthLength(month, year); ++day) {
                if ((year == 1900 && month < 3) || (year == 2100 && month > 2)) continue;
                ASSERT_EQ(weekday(day, month, year), oldFormula(day, month, year)) << day << "." << month << "." << year;
            }
    EXPECT_EQ(weekday(1, 1, 2001), 0);
    EXPECT_EQ(weekday(8, 8, 2001), 2);  // 7 August 2001 asked as day + 1: "Вт"
    EXPECT_EQ(weekday(1, 1, 2101), 5);  // a Saturday
    EXPECT_EQ(weekday(32, 8, 2001), weekday(1, 9, 2001));  // a day past the end counts on
}

TEST(CalendarMath, LeapYearsFollowTheCenturyRule) {
    EXPECT_EQ(monthLength(2, 1900), 28);
    EXPECT_EQ(monthLength(2, 2000), 29);
    EXPECT_EQ(monthLength(2, 2100), 28);
    EXPECT_EQ(monthLength(2, 2024), 29);
    EXPECT_EQ(monthLength(2, 2023), 28);
    EXPECT_EQ(monthLength(7, 2001), 31);
    EXPECT_EQ(monthLength(11, 2001), 30);
    EXPECT_EQ(monthLength(0, 2001), 0);
    EXPECT_EQ(monthLength(13, 2001), 0);
}

TEST(CalendarMath, NamesByLanguage) {
    EXPECT_STREQ(monthName(3, kEnglish), "March");
    EXPECT_STREQ(monthName(3, kRussian), "Март");
    EXPECT_STREQ(monthName(12, kRussian), "Декабрь");
    EXPECT_STREQ(weekdayName(0, kRussian), "Вс");
    EXPECT_STREQ(weekdayName(6, kEnglish), "Sat");
    EXPECT_STREQ(monthName(13, kEnglish), "");
    EXPECT_STREQ(weekdayName(7, kEnglish), "");
}

TEST(Texts, EveryEntryHasBothLanguagesAndTheRunsLineUp) {
    for (int id = 0; id < kTextCount; ++id) {
        ASSERT_NE(text(id, kRussian), nullptr) << id;
        ASSERT_NE(text(id, kEnglish), nullptr) << id;
        EXPECT_GT(std::strlen(text(id, kRussian)), 0u) << id;
        EXPECT_GT(std::strlen(text(id, kEnglish)), 0u) << id;
    }
    EXPECT_STREQ(text(kTextMonthJanuary + 11, kEnglish), "December");
    EXPECT_STREQ(text(kTextWeekdaySunday + 6, kEnglish), "Sat");
    EXPECT_STREQ(text(kTextMonthGenitiveJanuary + 2, kEnglish), "марта");
    EXPECT_STREQ(text(kTextAboutPlaceEarlier, kEnglish), "Moscow, 2000");
    EXPECT_STREQ(text(kTextCount, kEnglish), "");
}

}  // namespace
}  // namespace tikkano
