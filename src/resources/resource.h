// What the dialog templates and the string table name, gathered for the .rc
// files. Each dialog's numbers live beside its code; several dialogs reuse the
// same control numbers, so each dialog's controls carry its own prefix and no
// dialog's code includes another dialog's header. Code includes the header of
// its own dialog, never this one.
#pragma once

#include "calendar/calendar_ids.h"
#include "dialogs/about_ids.h"
#include "dialogs/clock_settings_ids.h"
#include "dialogs/date_format_ids.h"
#include "dialogs/string_ids.h"
#include "scheduler/reminder_edit_ids.h"
#include "scheduler/reminder_list_ids.h"
