#include "dialogs/date_format_dialog.h"

namespace tikkano {

void openDateFormatDialog(HWND) {}

}  // namespace tikkano
