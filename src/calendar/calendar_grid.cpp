#include "calendar/calendar_grid.h"

#include "settings_file/profile.h"
#include "base/text_format.h"
#include "base/texts.h"
#include "calendar/calendar_ids.h"
#include "scheduler/reminder_store.h"

namespace tikkano {
namespace {

unsigned reminderMark(const SectionReads& alarm, const std::string& key) {
    return alarm.empty(kAlarmSection, key) ? 0 : kReminderMark;
}

bool isDayButton(int controlId) { return controlId >= IDC_CAL_DAY_FIRST && controlId <= IDC_CAL_DAY_LAST; }

bool isMarkedButton(int controlId) {
    return isDayButton(controlId) ||
           (controlId >= IDC_CAL_WEEKDAY_SUNDAY && controlId <= IDC_CAL_WEEKDAY_SATURDAY) ||
           controlId == IDC_CAL_EVERY_DAY;
}

int clampYear(int year) { return year < kFirstYear ? kFirstYear : year > kLastYear ? kLastYear : year; }

}  // namespace

CalendarGrid fillGrid(int month, int year, const CalendarDate& today, const Profile& profile) {
    // Every mark of one fill from one read of the section.
    const SectionReads alarm(profile);
    CalendarGrid grid;
    grid.month = month;
    grid.year = year;
    const int first = weekday(1, month, year);
    const int length = monthLength(month, year);
    for (int day = 1; day <= length; ++day) {
        DayButton& button = grid.days[static_cast<std::size_t>(first + day - 1)];
        button.day = day;
        button.marks = reminderMark(alarm, dateKey(day, month, year));
        if (day == today.day && month == today.month && year == today.year) button.marks |= kTodayMark;
    }
    for (int i = 0; i < 7; ++i) grid.weekdayMarks[static_cast<std::size_t>(i)] = reminderMark(alarm, weekdayKey(i));
    grid.everyDayMarks = reminderMark(alarm, kEveryDayKey);
    return grid;
}

int dayOf(const CalendarGrid& grid, int controlId) {
    return isDayButton(controlId) ? grid.days[static_cast<std::size_t>(controlId - IDC_CAL_DAY_FIRST)].day : 0;
}

unsigned marksOf(const CalendarGrid& grid, int controlId) {
    if (isDayButton(controlId)) return grid.days[static_cast<std::size_t>(controlId - IDC_CAL_DAY_FIRST)].marks;
    if (controlId >= IDC_CAL_WEEKDAY_SUNDAY && controlId <= IDC_CAL_WEEKDAY_SATURDAY)
        return grid.weekdayMarks[static_cast<std::size_t>(controlId - IDC_CAL_WEEKDAY_SUNDAY)];
    if (controlId == IDC_CAL_EVERY_DAY) return grid.everyDayMarks;
    return 0;
}

std::string calendarTitle(int month, int year, Language language) {
    char title[96];
    formatTo(title, sizeof title, text(kTextCalendarTitleFormat, language), text(kTextCalendarTitleWord, language),
             monthName(month, language), year);
    return title;
}

ButtonLook buttonLook(int controlId, unsigned marks, bool pressed, bool selectedDay, int captionLength,
                      const PaintRules& rules) {
    ButtonLook look;
    std::uint32_t red = 192, green = 192, blue = 192;
    if (isMarkedButton(controlId)) {
        if (marks & kTodayMark) green = 255;
        if (marks & kReminderMark) blue = 255;
    }
    look.colour = red | green << 8 | blue << 16;
    look.sunken = pressed || (rules.selectsDay && selectedDay);

    int x = captionLength == 1 ? 10 : captionLength == 2 ? 5 : 3;
    if (rules.groupButtonsOwnPlaces) {
        if (controlId == IDC_CAL_EVERY_DAY) x = 5;
        if (controlId == IDC_CAL_MONTHLY) x = 4;
        if (controlId == IDC_CAL_YEARLY) x = 10;
    }
    const int offset = look.sunken ? 1 : 0;
    look.textX = x + offset;
    look.textY = 2 + offset;
    return look;
}

CalendarView openCalendarView(const CalendarDate& today) {
    CalendarView view;
    view.opening = today;
    view.opening.year = clampYear(today.year);
    view.month = today.month >= 1 && today.month <= 12 ? today.month : 1;
    view.year = view.opening.year;
    return view;
}

bool navigate(CalendarView& view, int controlId) {
    int month = view.month, year = view.year;
    switch (controlId) {
    case IDC_CAL_MONTH_BACK:
        if (--month < 1) month = 12, --year;
        break;
    case IDC_CAL_MONTH_FORWARD:
        if (++month > 12) month = 1, ++year;
        break;
    case IDC_CAL_YEAR_BACK: --year; break;
    case IDC_CAL_YEAR_FORWARD: ++year; break;
    case IDC_CAL_TODAY:
        month = view.opening.month;
        year = view.opening.year;
        break;
    default: return false;
    }
    // Outside these years weekdays and keys lose their meaning: stay put.
    if (year < kFirstYear || year > kLastYear) return false;
    view.month = month;
    view.year = year;
    view.selectedDay = 0;
    return true;
}

bool toggleSelection(CalendarView& view, const CalendarGrid& grid, int controlId, bool selectsDay) {
    if (!selectsDay || dayOf(grid, controlId) == 0) return false;
    view.selectedDay = view.selectedDay == controlId ? 0 : controlId;
    return true;
}

GroupKind groupOfButton(int controlId) {
    if (isDayButton(controlId)) return GroupKind::Date;
    if (controlId >= IDC_CAL_WEEKDAY_SUNDAY && controlId <= IDC_CAL_WEEKDAY_SATURDAY) return GroupKind::Weekday;
    if (controlId == IDC_CAL_EVERY_DAY) return GroupKind::EveryDay;
    if (controlId == IDC_CAL_MONTHLY) return GroupKind::Monthly;
    if (controlId == IDC_CAL_YEARLY) return GroupKind::Yearly;
    return GroupKind::None;
}

ClickOutcome clickOutcome(const CalendarView& view, const CalendarGrid& grid, int controlId,
                          bool monthlyAndYearly) {
    ClickOutcome outcome;
    const int selected = dayOf(grid, view.selectedDay);
    int day = 0;
    const GroupKind kind = groupOfButton(controlId);
    switch (kind) {
    case GroupKind::Date:
        day = dayOf(grid, controlId);
        if (day == 0) return outcome;  // a hidden button
        break;
    case GroupKind::Weekday: day = controlId - IDC_CAL_WEEKDAY_SUNDAY; break;
    case GroupKind::EveryDay: day = selected; break;
    case GroupKind::Monthly:
    case GroupKind::Yearly:
        if (!monthlyAndYearly) return outcome;
        if (selected == 0) {
            outcome.kind = ClickOutcome::NoDaySelected;
            return outcome;
        }
        day = selected;
        break;
    case GroupKind::None: return outcome;
    }
    outcome.kind = ClickOutcome::OpenList;
    outcome.request = makeListRequest(kind, day, grid.month, grid.year);
    return outcome;
}

int arrowTarget(const CalendarGrid& grid, int controlId, GridMove move) {
    const int day = dayOf(grid, controlId);
    if (day == 0) return controlId;
    const int step = move == GridMove::Down ? 1 : move == GridMove::Up ? -1 : move == GridMove::Right ? 7 : -7;
    // Days run on from button to button, so a step in days is the same step in buttons.
    const int target = controlId + step;
    const int targetDay = isDayButton(target) ? dayOf(grid, target) : 0;
    return targetDay != 0 && targetDay == day + step ? target : controlId;
}

int dayAfterStep(const CalendarView& view, int stepButton, int focusedDay) {
    return stepButton == IDC_CAL_TODAY ? view.opening.day : focusedDay;
}

int dayButtonFor(const CalendarGrid& grid, int day) {
    if (day <= 0) return 0;
    int found = 0;
    for (int i = 0; i < kDayButtonCount; ++i) {
        const int shown = grid.days[static_cast<std::size_t>(i)].day;
        if (shown != 0 && shown <= day) found = IDC_CAL_DAY_FIRST + i;
    }
    return found;
}

}  // namespace tikkano
