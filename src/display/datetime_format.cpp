#include "display/datetime_format.h"

#include "settings_file/settings.h"
#include "display/datetime_text.h"

namespace tikkano {

std::string timeText(const Settings& settings, const SYSTEMTIME& time, LastGoodText& lastTime) {
    char buffer[kTimeBufferLength] = {};
    const int written = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, settings.timePicture.c_str(), buffer,
                                       static_cast<int>(sizeof buffer));
    lastTime.update(written != 0, buffer);
    return lastTime.segment();
}

std::string dateText(const Settings& settings, const SYSTEMTIME& time, LastGoodText& lastDate) {
    const DateCall call = chooseDateCall(settings);
    char buffer[kDateBufferLength] = {};
    const int written = GetDateFormatA(LOCALE_USER_DEFAULT, call.flags, &time,
                                       call.picture ? call.picture->c_str() : nullptr, buffer,
                                       static_cast<int>(sizeof buffer));
    lastDate.update(written != 0, buffer);
    return lastDate.segment();
}

}  // namespace tikkano
