#include "dialogs/about_dialog.h"

namespace tikkano {

void openAboutDialog(HWND) {}

}  // namespace tikkano
