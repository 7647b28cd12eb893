#include "scheduler/reminder_list_dialog.h"

namespace tikkano {

INT_PTR openReminderListDialog(HWND, const ReminderListRequest&) { return IDCANCEL; }

}  // namespace tikkano
