// What the reminder list dialog shows, without the windows: one line per
// reminder and the title of the group's kind.
#pragma once

#include <string>

#include "scheduler/reminder_list_request.h"
#include "scheduler/reminder_store.h"

namespace tikkano {

// Characters of the stored (escaped) text that a list line shows.
constexpr std::size_t kListLineTextLength = 29;

// "%2d:%02d - %s" of hour, minute and the start of the stored text (ANSI bytes).
std::string listLine(const Reminder& reminder);

// The dialog's title for a request, Russian in both languages, UTF-8:
// "Будильник ( 7 Август 2001г., Вт)", "Будильник на Пн", "Будильник на каждый день",
// "Будильник на 15 день любого месяца", "Будильник на 7 марта любого года".
std::string listTitle(const ReminderListRequest& request);

// The line that Change and Delete act on: the selected one, the first when
// none is selected (`selected` < 0); -1 when the list has no such line.
int chosenLine(int selected, std::size_t lineCount);

// The line chosen again once the list is filled anew after an Add, a Change or
// a Delete: the line acted on (after a delete, the one that took its place, or
// the new last line when the last went); -1 when none was acted on or the list
// is empty.
int lineAfterFill(int actedOn, std::size_t lineCount);

}  // namespace tikkano
