#include "scheduler/reminder_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/memory_profile.h"

namespace tikkano {
namespace {

using test::MemoryProfile;

Reminder make(int hour, int minute, std::string text, std::string run, std::string sound) {
    Reminder r;
    r.hour = hour;
    r.minute = minute;
    r.text = std::move(text);
    r.run = std::move(run);
    r.sound = std::move(sound);
    return r;
}

TEST(TextEscaping, StoredTextHasNoDelimitersOrLineBreaks) {
    EXPECT_EQ(escapeText("a\nb\rc,d;e|f\\g"), "a\x85" "b\x86" "c\x82" "d\x84" "e|f\\g");
    EXPECT_EQ(unescapeText("a\x85" "b\x86" "c\x82" "d\x84" "e"), "a\nb\rc,d;e");
    // Every occurrence, side by side and at both ends.
    EXPECT_EQ(escapeText(",,a;;\r\n\r\n;"), "\x82\x82" "a\x84\x84\x86\x85\x86\x85\x84");
    EXPECT_EQ(unescapeText("||\x82\x82"), "\n\n,,");
}

TEST(TextEscaping, BarAndBackslashShowAsLineBreaks) {
    EXPECT_EQ(unescapeText("Line one|Line two"), "Line one\nLine two");
    EXPECT_EQ(unescapeText("C:\\x"), "C:\rx");
}

TEST(TextEscaping, TypedTextSurvivesStoreAndReload) {
    const std::string typed = "Call Anna, then Boris; bring\r\nthe keys";
    const ReminderList stored{make(8, 0, escapeText(typed), std::string(1, kRunSeparator), "")};
    const ReminderList loaded = parseGroup(serializeGroup(stored));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(unescapeText(loaded[0].text), typed);
}

TEST(ReminderKeys, NamesOfEveryKind) {
    EXPECT_EQ(dateKey(7, 8, 2001), "07082001");
    EXPECT_EQ(weekdayKey(1), "01");
    EXPECT_EQ(monthlyKey(15), "M15");
    EXPECT_EQ(yearlyKey(7, 3), "Y0703");
}

TEST(ReminderKeys, TodayKeysInRebuildOrder) {
    const LocalDate date{2001, 8, 7, 2};
    EXPECT_EQ(todayKeys(date, true),
              (std::vector<std::string>{"07082001", "02", "M07", "Y0708", "Day"}));
    EXPECT_EQ(todayKeys(date, false), (std::vector<std::string>{"07082001", "02", "Day"}));
}

TEST(GroupText, EmptyGroupAndEmptyList) {
    EXPECT_TRUE(parseGroup("").empty());
    EXPECT_EQ(serializeGroup({}), "");
}

TEST(GroupText, ExampleLineReadsAndWritesByteForByte) {
    const std::string line =
        " 9:30,Team meeting\x86\x85Room 2,C:\\Tools\\notes.exe\x83" "agenda.txt,C:\\Sounds\\bell.wav;"
        "17: 5,Go home,\x83,;";
    const ReminderList expected{
        make(9, 30, escapeText("Team meeting\r\nRoom 2"), "C:\\Tools\\notes.exe\x83" "agenda.txt",
             "C:\\Sounds\\bell.wav"),
        make(17, 5, "Go home", "\x83", "")};
    EXPECT_EQ(parseGroup(line), expected);
    EXPECT_EQ(serializeGroup(expected), line);
}

TEST(GroupText, TimeReadLikeTwoCharacterNumbers) {
    struct Case {
        const char* entry;
        int hour;
        int minute;
    };
    const Case cases[] = {
        {" 9: 5,a,b,c;", 9, 5},    {"09:05,a,b,c;", 9, 5},  {"   7:\t30,a,b,c;", 7, 30},
        {"-5:+3,a,b,c;", -5, 3},   {"123:45,a,b,c;", 12, -1}, {"7 :30,a,b,c;", 7, -1},
        {"x:30,a,b,c;", -1, -1},   {",a,b,c;", -1, -1},     {"- :30,a,b,c;", -1, -1},
        {"12:-,a,b,c;", 12, -1},   {"1:2", 1, 2},
    };
    for (const Case& c : cases) {
        const ReminderList list = parseGroup(c.entry);
        ASSERT_EQ(list.size(), 1u) << c.entry;
        EXPECT_EQ(list[0].hour, c.hour) << c.entry;
        EXPECT_EQ(list[0].minute, c.minute) << c.entry;
    }
}

TEST(GroupText, UnreadableTimeKeepsTheEntry) {
    const ReminderList list = parseGroup("ab,Text,\x83,;10:00,Next,\x83,;");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], make(-1, -1, "Text", "\x83", ""));
    EXPECT_EQ(list[1].hour, 10);
}

TEST(GroupText, EntryWithoutClosingSemicolonLosesOnlyItsSound) {
    const ReminderList list = parseGroup(" 8: 0,One,\x83,a.wav; 9: 0,Two,prog\x83,b.wav");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], make(9, 0, "Two", "prog\x83", ""));
}

TEST(GroupText, FieldsRunningShortStayEmpty) {
    EXPECT_EQ(parseGroup(" 9:30,abc"), ReminderList{make(9, 30, "", "", "")});
    EXPECT_EQ(parseGroup(" 9:30,abc,def"), ReminderList{make(9, 30, "abc", "", "")});
}

TEST(GroupText, EntryWithoutCommasBorrowsTheNextEntrysFields) {
    const ReminderList list = parseGroup(" 9:30;10:15,Next,run\x83p,n.wav;");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], make(9, 30, "Next", "run\x83p", "n.wav"));
    EXPECT_EQ(list[1], make(10, 15, "Next", "run\x83p", "n.wav"));
}

TEST(GroupText, SemicolonCaughtInATextStaysOutOfTheFile) {
    // Two commas missing: the text search runs over the first ";".
    const ReminderList list = parseGroup(" 9:30,a;10:00,b,c;");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(unescapeText(list[0].text), "a;10:00");
    EXPECT_EQ(parseGroup(serializeGroup(list)), list);
}

TEST(GroupText, ZeroByteEndsTheText) {
    const std::string text = std::string(" 9:30,a,b,c;") + '\0' + "10:00,d,e,f;";
    EXPECT_EQ(parseGroup(text).size(), 1u);
}

TEST(GroupText, FieldsLongerThanScratchBuffersKeptWhole) {
    const std::string text(5000, 't');
    const std::string run = std::string(4500, 'r') + kRunSeparator + std::string(4200, 'p');
    const std::string sound(4100, 's');
    const ReminderList list = parseGroup(" 1: 2," + text + "," + run + "," + sound + ";");
    EXPECT_EQ(list, ReminderList{make(1, 2, text, run, sound)});
}

TEST(GroupText, LongGroupSerialisedWhole) {
    ReminderList list;
    for (int i = 0; i < 400; ++i)
        list.push_back(make(i % 24, i % 60, std::string(100, 'a' + i % 26), "\x83", "x.wav"));
    const std::string group = serializeGroup(list);
    EXPECT_GT(group.size(), 32000u);
    EXPECT_EQ(group.back(), ';');
    EXPECT_EQ(parseGroup(group), list);
}

TEST(GroupText, CommasAndSemicolonsInRunAndSoundRoundTrip) {
    const ReminderList list{make(7, 45, "x", "C:\\My, Tools\\a;b.exe\x83-x 1,2;3",
                                 "C:\\Sounds\\ring, loud;.wav")};
    const std::string group = serializeGroup(list);
    EXPECT_EQ(std::count(group.begin(), group.end(), ','), 3);
    EXPECT_EQ(std::count(group.begin(), group.end(), ';'), 1);
    EXPECT_EQ(parseGroup(group), list);
}

TEST(GroupText, OldFormatPathsReadAsBefore) {
    const ReminderList list =
        parseGroup(" 6: 0,Wake up,C:\\Program Files\\app.exe\x83/quiet,C:\\Windows\\Media\\ding.wav;");
    EXPECT_EQ(list, ReminderList{make(6, 0, "Wake up", "C:\\Program Files\\app.exe\x83/quiet",
                                      "C:\\Windows\\Media\\ding.wav")});
    // A sound written by hand with a comma in it reads whole, as it always did.
    EXPECT_EQ(parseGroup(" 6: 0,a,\x83,ring,loud.wav;")[0].sound, "ring,loud.wav");
}

class RebuildToday : public ::testing::Test {
protected:
    void SetUp() override {
        profile.write(kAlarmSection, "Day", " 7: 0,every day,\x83,;");
        profile.write(kAlarmSection, "Y0708", " 7: 0,yearly,\x83,;");
        profile.write(kAlarmSection, "M07", " 7: 0,monthly,\x83,;");
        profile.write(kAlarmSection, "02", " 7: 0,weekday,\x83,;");
        profile.write(kAlarmSection, "07082001", " 7: 0,date,\x83,; 8: 0,date 2,\x83,;");
        profile.write(kAlarmSection, "08082001", " 7: 0,other date,\x83,;");
        profile.write(kAlarmSection, "03", " 7: 0,other weekday,\x83,;");
    }
    template <typename List>
    static std::vector<std::string> texts(const List& list) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list.at(i).text);
        return out;
    }
    MemoryProfile profile;
    const LocalDate tuesday{2001, 8, 7, 2};
};

TEST_F(RebuildToday, DateGroupFirstEveryDayLast) {
    const std::vector<std::string> expected{"date", "date 2", "weekday", "monthly", "yearly", "every day"};
    EXPECT_EQ(texts(rebuildToday(profile, tuesday, true)), expected);
    // All five groups from one read of the file.
    EXPECT_EQ(profile.textReads, 1);
    EXPECT_EQ(profile.sectionReads, 0);
    EXPECT_EQ(profile.valueReads, 0);
    // A section too long for one read gives the same, key by key.
    profile.longestSection = 16;
    EXPECT_EQ(texts(rebuildToday(profile, tuesday, true)), expected);
    EXPECT_EQ(profile.valueReads, 5);
}

TEST_F(RebuildToday, EarlierEditionLeavesMonthlyAndYearlyKeysAlone) {
    EXPECT_EQ(texts(rebuildToday(profile, tuesday, false)),
              (std::vector<std::string>{"date", "date 2", "weekday", "every day"}));
}

TEST_F(RebuildToday, MissingKeysGiveNothing) {
    MemoryProfile empty;
    EXPECT_TRUE(rebuildToday(empty, tuesday, true).empty());
}

TEST_F(RebuildToday, LongValuesReadWhole) {
    ReminderList many;
    for (int i = 0; i < 300; ++i) many.push_back(make(7, i % 60, std::string(120, 'd'), "\x83", ""));
    const std::string big = serializeGroup(many);
    ASSERT_GT(big.size(), 32000u);
    profile.write(kAlarmSection, "07082001", big);
    profile.write(kAlarmSection, "Day", big);
    const TodayReminders list = rebuildToday(profile, tuesday, true);
    ASSERT_EQ(list.size(), 603u);
    EXPECT_EQ(list.at(300).text, "weekday");
    EXPECT_EQ(list.at(602), many.back());
}

TEST_F(RebuildToday, GroupPastTheBoundGivesOnlyItsWholeEntries) {
    // A hand-edited group of far more than the bound: one reminder due in the
    // morning, filler, and the entry that the bound cuts in two.
    const std::string first = serializeGroup({make(7, 30, "first", "\x83", "")});
    const std::string filler = serializeGroup({make(23, 59, "filler", "\x83", "")});
    std::string group = first;
    while (group.size() + filler.size() <= kLongestValue - 5) group += filler;
    const std::size_t wholeEntries = 1 + (group.size() - first.size()) / filler.size();
    group += " 9: 0,half entry cut by the bound,\x83,sound.wav;";
    group += std::string(3 * kLongestValue, ';');
    profile.write(kAlarmSection, "Day", group);

    ASSERT_FALSE(profile.readValue(kAlarmSection, "Day", "").whole);
    const TodayReminders list = rebuildToday(profile, tuesday, true);
    ASSERT_EQ(list.size(), 5 + wholeEntries);
    EXPECT_EQ(list.at(5).text, "first");
    EXPECT_EQ(list.at(list.size() - 1).text, "filler");
    // The date's own groups still come first, untouched by the cut one.
    EXPECT_EQ(list.at(0).text, "date");
}

TEST_F(RebuildToday, KeepsOnlyEntriesThatCanFire) {
    // Each group: one real entry among empty ones, times that never come, and
    // entries that borrow the fields of the next real one.
    const std::string noise = std::string(2000, ';') + "25: 0,never,\x83,;" + " 9:-1,half read,\x83,;" +
                              "x,no time,\x83,;" + std::string(2000, ';');
    for (const char* key : {"07082001", "02", "M07", "Y0708", "Day"})
        profile.write(kAlarmSection, key, noise + " 7:30," + key + ",\x83,;" + noise + " 0:75; 8: 0;" + noise);
    profile.write(kAlarmSection, "Day",
                  noise + " 6: 0;" + std::string(2000, ';') + "23:59,every day,\x83,late.wav;");
    const auto list = rebuildToday(profile, tuesday, true);
    // Borrowed fields read as the dialog reads them: the next entry's, past the ";".
    EXPECT_EQ(texts(list), (std::vector<std::string>{"07082001", "never", "never", "02", "never", "never", "M07",
                                                     "never", "never", "Y0708", "never", "never", "every day",
                                                     "every day"}));
    EXPECT_EQ(list.at(1), make(0, 75, "never", "\x83", ""));
    EXPECT_EQ(list.at(12), make(6, 0, "every day", "\x83", "late.wav"));
}

TEST(TodayList, TakesAFewTimesTheBytesOfItsText) {
    // The shortest entries that fire, and many entries borrowing one long text.
    std::string shortest;
    for (int i = 0; i < 100000; ++i) shortest += "0:0;";
    const std::string borrowing = shortest + "0:0," + std::string(100000, 't') + ",\x83,;";
    for (const std::string& text : {shortest, borrowing, std::string(1000000, ';')}) {
        const TodayReminders list(text);
        EXPECT_LE(list.bytesTaken(), 6 * text.size() + 100);
    }
    EXPECT_EQ(TodayReminders(borrowing).size(), 100001u);
    EXPECT_EQ(TodayReminders(borrowing).at(7).text.size(), 100000u);
    EXPECT_TRUE(TodayReminders(std::string(1000000, ';')).empty());
}

TEST(TodayList, CanFireWithinTheDay) {
    EXPECT_TRUE(canFire(0, 0) && canFire(23, 59) && canFire(0, 99) && canFire(22, 99));
    EXPECT_FALSE(canFire(24, 0) || canFire(23, 60) || canFire(-1, 0) || canFire(5, -1));
}

}  // namespace
}  // namespace tikkano
