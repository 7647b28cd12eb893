// Every text of the program's own that a window shows, as (Russian, English)
// pairs in UTF-8. Texts the program shows in Russian whatever the interface
// language (the scheduler's dialogs and boxes) carry the same text twice.
// Runs of names (weekdays, months) are consecutive, so entry first + i is the
// i-th name.
#pragma once

#include "base/language.h"

namespace tikkano {

enum TextId : int {
    // System menu
    kTextMenuClock,
    kTextMenuCalendar,
    kTextMenuAbout,
    kTextMenuTopmost,
    kTextMenuMinimize,
    kTextMenuRestore,
    kTextMenuRussian,
    kTextMenuEnglish,

    // Reminder message box
    kTextReminderCaption,

    // Calendar
    kTextCalendarTitleWord,
    kTextCalendarMonthBack,
    kTextCalendarMonthForward,
    kTextCalendarYearBack,
    kTextCalendarYearForward,
    kTextCalendarEveryDay,
    kTextCalendarTitleFormat,       // "%s ( %s %d )": title word, month name, year
    kTextCalendarNoDayCaption,
    kTextCalendarNoDayMessage,
    kTextWeekdaySunday,             // Sunday first, seven entries
    kTextMonthJanuary = kTextWeekdaySunday + 7,  // twelve entries

    // Reminder list (Russian in both languages)
    kTextListDateTitle = kTextMonthJanuary + 12,  // day, month name, year, weekday
    kTextListWeekdayTitle,          // weekday
    kTextListEveryDayTitle,
    kTextListMonthlyTitle,          // day
    kTextListYearlyTitle,           // day, month name in the genitive
    kTextListDeleteQuestion,
    kTextListDeleteCaption,
    kTextListTooLong,
    kTextListNotSaved,              // OK could not write the group
    kTextListUnreadable,            // the group could not be read
    kTextMonthGenitiveJanuary,      // twelve entries

    // Reminder edit (Russian in both languages)
    kTextEditSoundChooserTitle = kTextMonthGenitiveJanuary + 12,
    kTextEditProgramChooserTitle,
    kTextEditCaption,               // caption of the dialog's refusals
    kTextEditBadHour,
    kTextEditBadMinute,
    kTextEditLineBreakCode,         // %s: the character
    kTextEditUnstorableCharacter,   // %s: the character
    kTextEditTooLong,               // %s: the limit
    kTextEditTextTooLong,           // %s: the limit
    kTextEditRunTooLong,            // %s: the limit

    // Clock settings
    kTextClockCaption,
    kTextClockHeads,
    kTextClockBorder,
    kTextClockShowTime,
    kTextClockShowDate,
    kTextClockShowMemory,
    kTextClockShowRam,
    kTextClockShortDate,
    kTextClockStandard,
    kTextClockBackground,
    kTextClockFont,
    kTextClockWholeMinute,
    kTextCancel,
    kTextDateFormat,                // button of the clock settings and caption of the date format dialog
    kTextClockNotSetNoRight,        // the whole-minute button refused for want of the right
    kTextClockNotSet,               // refused otherwise; %s: the system's error number

    // Date format
    kTextDateFormatShortLabel,
    kTextDateFormatLongLabel,
    kTextDateFormatTimeLabel,

    // About
    kTextAboutTitle,
    kTextAboutName,
    kTextAboutAuthorLabel,
    kTextAboutAuthor,
    kTextAboutPlace,                // the clock program's place and year
    kTextAboutPlaceEarlier,         // the earlier edition's

    // The settings file could not be written
    kTextNotSavedCaption,
    kTextSettingsNotSaved,          // at the close

    // A close that can be tried again, a folder in the file's place, a program not started
    kTextCloseRetry,                // after the reason: what Retry and Cancel do
    kTextSettingsFolderAtClose,     // the close: a folder stands where the settings file belongs
    kTextSettingsFolderInList,      // the same, told by a reminder list
    kTextProgramNotStarted,         // heads the program's path and Windows' reason
    // A reminder list in a Unicode settings file
    kTextListUnicodeKept,           // OK refused: the group holds what the code page cannot

    kTextCount
};

struct TextPair {
    const char* russian;
    const char* english;
};

// The text for the interface language, in UTF-8.
const char* text(TextId id, Language language);
inline const char* text(int id, Language language) { return text(static_cast<TextId>(id), language); }

}  // namespace tikkano
