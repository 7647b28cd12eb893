// The time and date segments in the user's Windows locale.
#pragma once

#include <windows.h>

#include <string>

namespace tikkano {

struct Settings;

std::string timeText(const Settings& settings, const SYSTEMTIME& time);
std::string dateText(const Settings& settings, const SYSTEMTIME& time);

}  // namespace tikkano
