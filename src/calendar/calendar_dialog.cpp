#include "calendar/calendar_dialog.h"

namespace tikkano {

void openCalendarDialog(HWND) {}

}  // namespace tikkano
