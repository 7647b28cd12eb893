// The calendar's owner-drawn buttons as the grid and the view show them: the
// colour of the marks, the raised or sunken edges, the caption and the focus.
#pragma once

#include <windows.h>

#include "calendar/calendar_grid.h"

namespace tikkano {

// Draws the button of a WM_DRAWITEM; FALSE for an item that is no button.
BOOL drawCalendarButton(const CalendarView& view, const CalendarGrid& grid, const DRAWITEMSTRUCT& item);

}  // namespace tikkano
