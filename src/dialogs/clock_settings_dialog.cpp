#include "dialogs/clock_settings_dialog.h"

namespace tikkano {

void openClockSettingsDialog(HWND) {}

}  // namespace tikkano
