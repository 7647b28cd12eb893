// What the calendar shows and how it reacts, without the windows: which day
// buttons carry which days and marks, the colour, edges and caption place of
// each owner-drawn button, the right-click selection of a day and the month
// and year navigation within the years the calendar knows, and where the keys
// move the focus among the day buttons.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dates/calendar_math.h"
#include "scheduler/reminder_list_request.h"

namespace tikkano {

class Profile;

// A date as the calendar counts it (month 1..12).
struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;
};

// Mark bits of a button.
constexpr unsigned kTodayMark = 1;
constexpr unsigned kReminderMark = 2;

constexpr int kDayButtonCount = 38;  // 1101..1138: six columns of seven rows, the last column short

struct DayButton {
    int day = 0;  // 0: hidden, no day
    unsigned marks = 0;
};

// The day buttons, weekday buttons and the every-day button of one month.
struct CalendarGrid {
    int month = 0;
    int year = 0;
    std::array<DayButton, kDayButtonCount> days{};  // index = control ID - 1101
    std::array<unsigned, 7> weekdayMarks{};         // index = control ID - 1200, Sunday first
    unsigned everyDayMarks = 0;
};

// Day buttons in week columns w and weekday rows r (Monday first): button
// 1101 + 7w + r. The first of the month stands in the row of its weekday.
// A reminder mark wherever the button's group in section "Alarm" is not empty;
// a today mark on the day button of `today`.
CalendarGrid fillGrid(int month, int year, const CalendarDate& today, const Profile& profile);

// The day a day button shows (0 when hidden or not a day button).
int dayOf(const CalendarGrid& grid, int controlId);

// The marks that painting uses: monthly and yearly buttons carry none.
unsigned marksOf(const CalendarGrid& grid, int controlId);

// "Календарь ( Март 2001 )" in the interface language, UTF-8.
std::string calendarTitle(int month, int year, Language language);

// How one owner-drawn button looks.
struct ButtonLook {
    std::uint32_t colour = 0;  // 0x00BBGGRR
    bool sunken = false;
    int textX = 0;  // caption position inside the button, pixels
    int textY = 0;
};

struct PaintRules {
    bool selectsDay = true;             // a selected day is drawn sunken
    bool groupButtonsOwnPlaces = true;  // 1300..1302 have caption positions of their own
};

ButtonLook buttonLook(int controlId, unsigned marks, bool pressed, bool selectedDay, int captionLength,
                      const PaintRules& rules);

// Where one open calendar stands: its opening date, the month shown and the
// day selected with the right mouse button.
struct CalendarView {
    CalendarDate opening;
    int month = 1;
    int year = kFirstYear;
    int selectedDay = 0;  // control ID of the selected day button, 0 for none
};

CalendarView openCalendarView(const CalendarDate& today);

// Month and year buttons and "Сегодня": true when the view moved (the
// selection is then cleared). A step past year 1 or 9999 does nothing.
bool navigate(CalendarView& view, int controlId);

// The group a button opens (None for a button that opens none).
GroupKind groupOfButton(int controlId);

// Right mouse button on `controlId`: a shown day button becomes the selected
// day, or stops being it when it was. Returns true when the selection changed.
bool toggleSelection(CalendarView& view, const CalendarGrid& grid, int controlId, bool selectsDay);

// What a click on a group button asks for.
struct ClickOutcome {
    enum Kind { Nothing, OpenList, NoDaySelected } kind = Nothing;
    ReminderListRequest request;
};

ClickOutcome clickOutcome(const CalendarView& view, const CalendarGrid& grid, int controlId,
                          bool monthlyAndYearly);

// Arrow keys on a day button move the focus the way the eye sees the grid:
// down to the next day, up to the day before, right to the same weekday a
// week later, left a week earlier. A move out of the shown month keeps the
// focus where it is: the answer is then `controlId` itself (also for a
// button that shows no day).
enum class GridMove { Up, Down, Left, Right };
int arrowTarget(const CalendarGrid& grid, int controlId, GridMove move);

// After a key stepped the view away from a focused day button: the day whose
// button takes the focus in the new month. "Сегодня" goes to the opening
// day, the month and year steps keep the day of the month.
int dayAfterStep(const CalendarView& view, int stepButton, int focusedDay);

// The button of `day` in the grid's month, or of its last day when the month
// is shorter; 0 for day 0.
int dayButtonFor(const CalendarGrid& grid, int day);

}  // namespace tikkano
