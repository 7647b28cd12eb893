#include "calendar/calendar_grid.h"

#include <gtest/gtest.h>

#include "calendar/calendar_ids.h"
#include "support/memory_profile.h"

namespace tikkano {
namespace {

using test::MemoryProfile;

constexpr CalendarDate kNoToday{0, 0, 0};

std::vector<int> shownButtons(const CalendarGrid& grid) {
    std::vector<int> ids;
    for (int id = IDC_CAL_DAY_FIRST; id <= IDC_CAL_DAY_LAST; ++id)
        if (dayOf(grid, id)) ids.push_back(id);
    return ids;
}

TEST(CalendarGrid, DaysStandInTheRowOfTheirWeekdayAndRunOnAcrossColumns) {
    MemoryProfile none;
    // July 2001: 31 days beginning on a Sunday, the longest run of buttons.
    const CalendarGrid july = fillGrid(7, 2001, kNoToday, none);
    const std::vector<int> ids = shownButtons(july);
    ASSERT_EQ(ids.size(), 31u);
    EXPECT_EQ(ids.front(), 1107);  // column 0, Sunday row
    EXPECT_EQ(ids.back(), 1137);
    EXPECT_EQ(dayOf(july, 1108), 2);  // Monday of column 1
    EXPECT_EQ(dayOf(july, IDC_CAL_DAY_LAST), 0);

    // February 2100 is no leap month; 1 January 2101 is a Saturday (row 5).
    EXPECT_EQ(shownButtons(fillGrid(2, 2100, kNoToday, none)).size(), 28u);
    EXPECT_EQ(shownButtons(fillGrid(2, 2000, kNoToday, none)).size(), 29u);
    EXPECT_EQ(shownButtons(fillGrid(1, 2101, kNoToday, none)).front(), 1106);
    // A month beginning on Monday fills column 0 from the top.
    EXPECT_EQ(shownButtons(fillGrid(1, 2001, kNoToday, none)).front(), 1101);
    // The first and the last month the calendar knows.
    EXPECT_EQ(shownButtons(fillGrid(1, 1, kNoToday, none)).front(), 1101);  // 1 January 1 was a Monday
    EXPECT_EQ(dayOf(fillGrid(12, 9999, kNoToday, none), 1103), 1);          // 1 December 9999 a Wednesday

    EXPECT_EQ(dayOf(july, 1200), 0);  // not a day button
}

TEST(CalendarGrid, MarksComeFromNonEmptyGroupsAndToday) {
    MemoryProfile profile;
    profile.write("Alarm", "05032001", " 9: 5,x,\x83,;");
    profile.write("Alarm", "06032001", "");  // emptied groups stay as keys
    profile.write("Alarm", "01", "1:1,,,;");
    profile.write("Alarm", "Day", "1:1,,,;");
    profile.write("Alarm", "M05", "1:1,,,;");  // monthly and yearly groups mark no day
    profile.write("Alarm", "Y0503", "1:1,,,;");
    profile.write("Alarm", "05042001", "1:1,,,;");  // another month

    const CalendarGrid march = fillGrid(3, 2001, {5, 3, 2001}, profile);  // 1 March 2001: a Thursday
    const int fifth = 1101 + 3 + 4, sixth = fifth + 1, seventh = fifth + 2;
    ASSERT_EQ(dayOf(march, fifth), 5);
    EXPECT_EQ(marksOf(march, fifth), kTodayMark | kReminderMark);
    EXPECT_EQ(marksOf(march, sixth), 0u);
    EXPECT_EQ(marksOf(march, seventh), 0u);
    EXPECT_EQ(marksOf(march, IDC_CAL_WEEKDAY_SUNDAY + 1), kReminderMark);  // "01" is Monday
    EXPECT_EQ(marksOf(march, IDC_CAL_WEEKDAY_SUNDAY), 0u);
    EXPECT_EQ(marksOf(march, IDC_CAL_EVERY_DAY), kReminderMark);
    EXPECT_EQ(marksOf(march, IDC_CAL_MONTHLY), 0u);
    EXPECT_EQ(marksOf(march, IDC_CAL_YEARLY), 0u);

    // Today's mark only in today's month and year.
    EXPECT_EQ(marksOf(fillGrid(3, 2002, {5, 3, 2001}, profile), 1101 + 4 + 4), 0u);
    // One read of the file for each fill, none for single keys.
    EXPECT_EQ(profile.textReads, 2);
    EXPECT_EQ(profile.valueReads, 0);
}

TEST(CalendarGrid, ButtonLooks) {
    const PaintRules clock{true, true}, earlier{false, false};
    // Colour by marks, on the buttons that carry marks only.
    EXPECT_EQ(buttonLook(1110, 0, false, false, 2, clock).colour, 0xC0C0C0u);
    EXPECT_EQ(buttonLook(1110, kTodayMark, false, false, 2, clock).colour, 0xC0FFC0u);
    EXPECT_EQ(buttonLook(1110, kReminderMark, false, false, 2, clock).colour, 0xFFC0C0u);
    EXPECT_EQ(buttonLook(1110, kTodayMark | kReminderMark, false, false, 2, clock).colour, 0xFFFFC0u);
    EXPECT_EQ(buttonLook(1203, kReminderMark, false, false, 2, clock).colour, 0xFFC0C0u);
    EXPECT_EQ(buttonLook(IDC_CAL_EVERY_DAY, kReminderMark, false, false, 4, clock).colour, 0xFFC0C0u);
    EXPECT_EQ(buttonLook(IDC_CAL_YEARLY, kReminderMark, false, false, 3, clock).colour, 0xC0C0C0u);

    // Caption places: by length, the group buttons their own; one further when sunken.
    auto x = [](int id, int length, const PaintRules& rules, bool pressed = false, bool selected = false) {
        const ButtonLook look = buttonLook(id, 0, pressed, selected, length, rules);
        return std::make_pair(look.textX, look.textY);
    };
    EXPECT_EQ(x(1101, 1, clock), std::make_pair(10, 2));
    EXPECT_EQ(x(1101, 2, clock), std::make_pair(5, 2));
    EXPECT_EQ(x(1200, 3, clock), std::make_pair(3, 2));
    EXPECT_EQ(x(1200, 5, clock), std::make_pair(3, 2));
    EXPECT_EQ(x(IDC_CAL_EVERY_DAY, 4, clock), std::make_pair(5, 2));
    EXPECT_EQ(x(IDC_CAL_MONTHLY, 5, clock), std::make_pair(4, 2));
    EXPECT_EQ(x(IDC_CAL_YEARLY, 3, clock), std::make_pair(10, 2));
    EXPECT_EQ(x(IDC_CAL_EVERY_DAY, 3, earlier), std::make_pair(3, 2));  // "Day"
    EXPECT_EQ(x(IDC_CAL_EVERY_DAY, 4, earlier), std::make_pair(3, 2));  // "День"
    EXPECT_EQ(x(1101, 2, clock, true), std::make_pair(6, 3));

    // Sunken while pressed; as the selected day only where days are selected.
    EXPECT_TRUE(buttonLook(1101, 0, true, false, 1, earlier).sunken);
    EXPECT_TRUE(buttonLook(1101, 0, false, true, 1, clock).sunken);
    EXPECT_FALSE(buttonLook(1101, 0, false, true, 1, earlier).sunken);
    EXPECT_FALSE(buttonLook(1101, 0, false, false, 1, clock).sunken);
}

TEST(CalendarGrid, NavigationStepsMonthsAndYearsWithinOneTo9999) {
    CalendarView view = openCalendarView({15, 1, 2001});
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(1, 2001));
    view.selectedDay = 1110;
    ASSERT_TRUE(navigate(view, IDC_CAL_MONTH_BACK));
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(12, 2000));
    EXPECT_EQ(view.selectedDay, 0);
    ASSERT_TRUE(navigate(view, IDC_CAL_MONTH_FORWARD));
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(1, 2001));
    ASSERT_TRUE(navigate(view, IDC_CAL_YEAR_FORWARD));
    EXPECT_EQ(view.year, 2002);
    ASSERT_TRUE(navigate(view, IDC_CAL_TODAY));
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(1, 2001));
    EXPECT_FALSE(navigate(view, IDC_CAL_DAY_FIRST));

    // At the ends a step out does nothing, the selection included.
    view.month = 1;
    view.year = kFirstYear;
    view.selectedDay = 1105;
    EXPECT_FALSE(navigate(view, IDC_CAL_MONTH_BACK));
    EXPECT_FALSE(navigate(view, IDC_CAL_YEAR_BACK));
    EXPECT_EQ(std::make_tuple(view.month, view.year, view.selectedDay), std::make_tuple(1, 1, 1105));
    view.month = 12;
    view.year = kLastYear;
    EXPECT_FALSE(navigate(view, IDC_CAL_MONTH_FORWARD));
    EXPECT_FALSE(navigate(view, IDC_CAL_YEAR_FORWARD));
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(12, kLastYear));
    EXPECT_TRUE(navigate(view, IDC_CAL_MONTH_BACK));
    EXPECT_EQ(std::make_pair(view.month, view.year), std::make_pair(11, kLastYear));
    view.month = 6;
    EXPECT_FALSE(navigate(view, IDC_CAL_YEAR_FORWARD));
    EXPECT_EQ(view.month, 6);
}

TEST(CalendarGrid, RightClickSelectsAShownDayAndTogglesIt) {
    MemoryProfile none;
    const CalendarGrid march = fillGrid(3, 2001, kNoToday, none);  // days on 1104..1134
    CalendarView view = openCalendarView({1, 3, 2001});
    EXPECT_TRUE(toggleSelection(view, march, 1108, true));
    EXPECT_EQ(view.selectedDay, 1108);
    EXPECT_TRUE(toggleSelection(view, march, 1110, true));
    EXPECT_EQ(view.selectedDay, 1110);
    EXPECT_TRUE(toggleSelection(view, march, 1110, true));
    EXPECT_EQ(view.selectedDay, 0);
    EXPECT_FALSE(toggleSelection(view, march, 1101, true));  // hidden
    EXPECT_FALSE(toggleSelection(view, march, 1200, true));  // not a day
    EXPECT_FALSE(toggleSelection(view, march, 1108, false)); // the earlier edition
    EXPECT_EQ(view.selectedDay, 0);
}

TEST(CalendarGrid, ClicksFormTheirRequests) {
    MemoryProfile none;
    const CalendarGrid march = fillGrid(3, 2001, kNoToday, none);
    CalendarView view = openCalendarView({1, 3, 2001});
    const int fifth = 1108;
    ASSERT_EQ(dayOf(march, fifth), 5);
    auto key = [&](int id, bool monthlyAndYearly = true) {
        const ClickOutcome outcome = clickOutcome(view, march, id, monthlyAndYearly);
        return outcome.kind == ClickOutcome::OpenList ? std::string(outcome.request.key)
               : outcome.kind == ClickOutcome::NoDaySelected ? std::string("no day")
                                                             : std::string("nothing");
    };
    EXPECT_EQ(key(fifth), "05032001");
    EXPECT_EQ(key(1200), "00");
    EXPECT_EQ(key(1206), "06");
    EXPECT_EQ(key(IDC_CAL_EVERY_DAY), "Day");
    EXPECT_EQ(key(IDC_CAL_MONTHLY), "no day");
    EXPECT_EQ(key(IDC_CAL_YEARLY), "no day");
    EXPECT_EQ(key(1101), "nothing");  // hidden
    EXPECT_EQ(key(IDC_CAL_TODAY), "nothing");

    view.selectedDay = fifth;
    EXPECT_EQ(key(IDC_CAL_MONTHLY), "M05");
    EXPECT_EQ(key(IDC_CAL_YEARLY), "Y0503");
    EXPECT_EQ(key(IDC_CAL_YEARLY, false), "nothing");  // the earlier edition has no such groups
    const ClickOutcome everyDay = clickOutcome(view, march, IDC_CAL_EVERY_DAY, true);
    EXPECT_EQ(everyDay.request.day, 5);
    EXPECT_EQ(everyDay.request.month, 3);
    EXPECT_EQ(everyDay.request.year, 2001);
}

// The calendar turns each button into the group's kind and day; the key that
// the scheduler makes of them is the one that button always opened.
TEST(CalendarGrid, EveryGroupButtonOpensTheKeyOfItsGroup) {
    MemoryProfile none;
    const CalendarGrid march = fillGrid(3, 2001, kNoToday, none);  // days on 1104..1134
    CalendarView view = openCalendarView({1, 3, 2001});
    view.selectedDay = 1108;  // the 5th
    auto request = [&](int id) { return clickOutcome(view, march, id, true).request; };
    for (int day = 1; day <= 31; ++day) {
        const ReminderListRequest r = request(1103 + day);
        EXPECT_EQ(r.kind, GroupKind::Date) << day;
        EXPECT_EQ(r.day, day);
        EXPECT_EQ(std::string(r.key), (day < 10 ? "0" : "") + std::to_string(day) + "032001");
    }
    for (int weekday = 0; weekday < 7; ++weekday) {
        const ReminderListRequest r = request(IDC_CAL_WEEKDAY_SUNDAY + weekday);
        EXPECT_EQ(r.kind, GroupKind::Weekday);
        EXPECT_EQ(r.day, weekday);
        EXPECT_EQ(std::string(r.key), "0" + std::to_string(weekday));
    }
    EXPECT_EQ(request(IDC_CAL_EVERY_DAY).kind, GroupKind::EveryDay);
    EXPECT_STREQ(request(IDC_CAL_EVERY_DAY).key, "Day");
    EXPECT_EQ(request(IDC_CAL_MONTHLY).kind, GroupKind::Monthly);
    EXPECT_STREQ(request(IDC_CAL_MONTHLY).key, "M05");
    EXPECT_EQ(request(IDC_CAL_YEARLY).kind, GroupKind::Yearly);
    EXPECT_STREQ(request(IDC_CAL_YEARLY).key, "Y0503");
    for (int id : {1, 2, IDC_CAL_MONTH_BACK, IDC_CAL_MONTH_FORWARD, IDC_CAL_YEAR_BACK, IDC_CAL_YEAR_FORWARD,
                   IDC_CAL_TODAY, IDC_CAL_DAY_FIRST - 1, IDC_CAL_DAY_LAST + 1, IDC_CAL_WEEKDAY_SATURDAY + 1})
        EXPECT_EQ(groupOfButton(id), GroupKind::None) << id;
}

TEST(CalendarGrid, KeysMoveTheFocusAlongTheGridWithinTheShownMonth) {
    MemoryProfile none;
    // March 2001: the 1st a Thursday on 1104, the 31st a Saturday on 1134.
    const CalendarGrid march = fillGrid(3, 2001, kNoToday, none);
    const int first = 1104, fourth = 1107, fifth = 1108, last = 1134;
    EXPECT_EQ(arrowTarget(march, fourth, GridMove::Down), fifth);  // Sunday at the bottom, Monday atop the next column
    EXPECT_EQ(arrowTarget(march, fifth, GridMove::Up), fourth);
    EXPECT_EQ(arrowTarget(march, fourth, GridMove::Right), fourth + 7);
    EXPECT_EQ(arrowTarget(march, fourth + 7, GridMove::Left), fourth);
    // Nothing before the 1st or after the 31st: the focus stays.
    EXPECT_EQ(arrowTarget(march, first, GridMove::Up), first);
    EXPECT_EQ(arrowTarget(march, first + 6, GridMove::Left), first + 6);
    EXPECT_EQ(arrowTarget(march, last, GridMove::Down), last);
    EXPECT_EQ(arrowTarget(march, last - 6, GridMove::Right), last - 6);
    EXPECT_EQ(arrowTarget(march, last - 7, GridMove::Right), last);
    EXPECT_EQ(arrowTarget(march, 1101, GridMove::Down), 1101);  // hidden
    EXPECT_EQ(arrowTarget(march, IDC_CAL_WEEKDAY_SUNDAY, GridMove::Right), IDC_CAL_WEEKDAY_SUNDAY);

    // A month step keeps the day, or takes the last one of a shorter month.
    const CalendarGrid february = fillGrid(2, 2001, kNoToday, none);  // the 1st a Thursday, 28 days
    EXPECT_EQ(dayButtonFor(february, 31), 1104 + 27);
    EXPECT_EQ(dayButtonFor(february, 5), 1108);
    EXPECT_EQ(dayButtonFor(march, 31), last);
    EXPECT_EQ(dayButtonFor(march, 0), 0);
    CalendarView view = openCalendarView({17, 3, 2001});
    EXPECT_EQ(dayAfterStep(view, IDC_CAL_MONTH_FORWARD, 31), 31);
    EXPECT_EQ(dayAfterStep(view, IDC_CAL_YEAR_BACK, 9), 9);
    EXPECT_EQ(dayAfterStep(view, IDC_CAL_TODAY, 9), 17);  // back to the opening day
}

TEST(CalendarGrid, TitleInBothLanguages) {
    EXPECT_EQ(calendarTitle(3, 2001, kRussian), "Календарь ( Март 2001 )");
    EXPECT_EQ(calendarTitle(3, 2001, kEnglish), "Calendar ( March 2001 )");
}

}  // namespace
}  // namespace tikkano
