#include "scheduler/reminder_list_lines.h"

#include "base/text_format.h"
#include "base/texts.h"
#include "dates/calendar_math.h"

namespace tikkano {

std::string listLine(const Reminder& reminder) {
    char time[32];
    formatTo(time, sizeof time, "%2d:%02d - ", reminder.hour, reminder.minute);
    return time + reminder.text.substr(0, kListLineTextLength);
}

std::string listTitle(const ReminderListRequest& request) {
    char title[160];
    const int month = request.month >= 1 && request.month <= 12 ? request.month : 1;
    switch (request.kind) {
    case GroupKind::Date:
        // weekday() of the next day is the Sunday-first index of this one.
        formatTo(title, sizeof title, text(kTextListDateTitle, kRussian), request.day, monthName(month, kRussian),
                 request.year, weekdayName(weekday(request.day + 1, month, request.year), kRussian));
        break;
    case GroupKind::Weekday:
        formatTo(title, sizeof title, text(kTextListWeekdayTitle, kRussian),
                 weekdayName(request.day, kRussian));
        break;
    case GroupKind::Monthly:
        formatTo(title, sizeof title, text(kTextListMonthlyTitle, kRussian), request.day);
        break;
    case GroupKind::Yearly:
        formatTo(title, sizeof title, text(kTextListYearlyTitle, kRussian), request.day,
                 text(kTextMonthGenitiveJanuary + month - 1, kRussian));
        break;
    case GroupKind::EveryDay:
    case GroupKind::None:
        formatTo(title, sizeof title, "%s", text(kTextListEveryDayTitle, kRussian));
        break;
    }
    return title;
}

int chosenLine(int selected, std::size_t lineCount) {
    const std::size_t line = selected < 0 ? 0 : static_cast<std::size_t>(selected);
    return line < lineCount ? static_cast<int>(line) : -1;
}

int lineAfterFill(int actedOn, std::size_t lineCount) {
    if (actedOn < 0 || lineCount == 0) return -1;
    const std::size_t line = static_cast<std::size_t>(actedOn);
    return static_cast<int>(line < lineCount ? line : lineCount - 1);
}

}  // namespace tikkano
