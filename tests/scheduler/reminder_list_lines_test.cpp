#include "scheduler/reminder_list_lines.h"

#include <gtest/gtest.h>

#include "scheduler/reminder_list_request.h"

namespace tikkano {
namespace {

TEST(ReminderListRequest, NamesTheKeyOfTheGroup) {
    struct Case {
        GroupKind kind;
        int day, month, year;
        const char* key;
    };
    const Case cases[] = {
        {GroupKind::Date, 5, 3, 2001, "05032001"},
        {GroupKind::Date, 31, 12, 9999, "31129999"},
        {GroupKind::Weekday, 0, 3, 2001, "00"},
        {GroupKind::Weekday, 1, 3, 2001, "01"},
        {GroupKind::Weekday, 6, 3, 2001, "06"},
        {GroupKind::EveryDay, 0, 3, 2001, "Day"},
        {GroupKind::EveryDay, 5, 3, 2001, "Day"},
        {GroupKind::Monthly, 5, 3, 2001, "M05"},
        {GroupKind::Yearly, 5, 3, 2001, "Y0503"},
        {GroupKind::None, 5, 3, 2001, ""},
    };
    for (const Case& c : cases) {
        const ReminderListRequest r = makeListRequest(c.kind, c.day, c.month, c.year);
        EXPECT_STREQ(r.key, c.key) << c.key;
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.day, c.day);
        EXPECT_EQ(r.month, c.month);
        EXPECT_EQ(r.year, c.year);
    }
}

TEST(ReminderListLines, LineShowsTheTimeAndTheStartOfTheStoredText) {
    EXPECT_EQ(listLine({9, 5, "Call", "\x83", ""}), " 9:05 - Call");
    EXPECT_EQ(listLine({17, 30, "", "", ""}), "17:30 - ");
    // 29 characters of the text as stored, escape bytes included.
    const std::string stored = "Line one\x86\x85" "line two, which goes on and on";
    EXPECT_EQ(listLine({0, 0, stored, "", ""}), " 0:00 - " + stored.substr(0, 29));
    EXPECT_EQ(listLine({0, 0, stored, "", ""}).size(), 8u + 29u);
    // Times that do not read back as a time still show as they are.
    EXPECT_EQ(listLine({-1, -1, "x", "", ""}), "-1:-1 - x");
}

TEST(ReminderListLines, TitlesOfAllFiveKindsAreRussian) {
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Date, 7, 8, 2001)), "Будильник ( 7 Август 2001г., Вт)");
    // The last day of a month and of the last year the calendar knows.
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Date, 31, 12, 9999)), "Будильник ( 31 Декабрь 9999г., Пт)");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Weekday, 0, 3, 2001)), "Будильник на Вс");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Weekday, 6, 3, 2001)), "Будильник на Сб");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::EveryDay, 0, 3, 2001)), "Будильник на каждый день");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Monthly, 15, 3, 2001)), "Будильник на 15 день любого месяца");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Yearly, 7, 3, 2001)), "Будильник на 7 марта любого года");
    EXPECT_EQ(listTitle(makeListRequest(GroupKind::Yearly, 1, 5, 2001)), "Будильник на 1 мая любого года");
}

TEST(ReminderListLines, ChangeAndDeleteActOnTheSelectedLineOrTheFirst) {
    EXPECT_EQ(chosenLine(2, 3), 2);
    EXPECT_EQ(chosenLine(-1, 3), 0);
    EXPECT_EQ(chosenLine(-1, 0), -1);
    EXPECT_EQ(chosenLine(3, 3), -1);
}

TEST(ReminderListLines, TheLineActedOnIsChosenAgainAfterTheFill) {
    EXPECT_EQ(lineAfterFill(1, 3), 1);   // changed, or deleted with a line after it
    EXPECT_EQ(lineAfterFill(3, 4), 3);   // added at the end
    EXPECT_EQ(lineAfterFill(2, 2), 1);   // the last deleted: the new last
    EXPECT_EQ(lineAfterFill(0, 0), -1);  // the only line deleted
    EXPECT_EQ(lineAfterFill(-1, 3), -1); // an add given up with nothing chosen
}

}  // namespace
}  // namespace tikkano
