#include "scheduler/reminder_list_request.h"

#include <string>

#include "base/text_format.h"
#include "scheduler/reminder_keys.h"

namespace tikkano {
namespace {

// Keys are cut to the request's 11 characters; inside the calendar's years they all fit.
void copyKey(char (&key)[12], const std::string& name) {
    formatTo(key, sizeof key, "%s", name.c_str());
}

}  // namespace

ReminderListRequest makeListRequest(GroupKind kind, int day, int month, int year) {
    ReminderListRequest request;
    request.kind = kind;
    request.day = day;
    request.month = month;
    request.year = year;
    switch (kind) {
    case GroupKind::Date: copyKey(request.key, dateKey(day, month, year)); break;
    case GroupKind::Weekday: copyKey(request.key, weekdayKey(day)); break;
    case GroupKind::EveryDay: copyKey(request.key, kEveryDayKey); break;
    case GroupKind::Monthly: copyKey(request.key, monthlyKey(day)); break;
    case GroupKind::Yearly: copyKey(request.key, yearlyKey(day, month)); break;
    case GroupKind::None: break;
    }
    return request;
}

}  // namespace tikkano
