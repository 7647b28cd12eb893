// The time and date segments in the user's Windows locale.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

struct Settings;
class LastGoodText;

// Each segment keeps its last good text in `last`, for a call that fails.
std::string timeText(const Settings& settings, const SYSTEMTIME& time, LastGoodText& last);
std::string dateText(const Settings& settings, const SYSTEMTIME& time, LastGoodText& last);

}  // namespace tikkano
