#include "display/datetime_text.h"

#include "settings_file/settings.h"

namespace tikkano {

DateCall chooseDateCall(const Settings& settings) {
    if (settings.systemDateFormat != 0) return {settings.shortDate != 0 ? kDateShortDate : kDateLongDate, nullptr};
    return {0, settings.shortDate != 0 ? &settings.shortDatePicture : &settings.longDatePicture};
}

}  // namespace tikkano
