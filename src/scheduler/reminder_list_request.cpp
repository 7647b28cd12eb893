#include "scheduler/reminder_list_request.h"

#include <string>

#include "base/text_format.h"
#include "resources/resource.h"
#include "scheduler/reminder_store.h"

namespace tikkano {
namespace {

// Keys are cut to the request's 11 characters; inside the calendar's years they all fit.
void copyKey(char (&key)[12], const std::string& name) {
    formatTo(key, sizeof key, "%s", name.c_str());
}

}  // namespace

GroupKind groupKind(int controlId) {
    if (controlId >= IDC_CAL_DAY_FIRST && controlId <= IDC_CAL_DAY_LAST) return GroupKind::Date;
    if (controlId >= IDC_CAL_WEEKDAY_SUNDAY && controlId <= IDC_CAL_WEEKDAY_SATURDAY) return GroupKind::Weekday;
    if (controlId == IDC_CAL_EVERY_DAY) return GroupKind::EveryDay;
    if (controlId == IDC_CAL_MONTHLY) return GroupKind::Monthly;
    if (controlId == IDC_CAL_YEARLY) return GroupKind::Yearly;
    return GroupKind::None;
}

ReminderListRequest makeListRequest(int controlId, int day, int month, int year) {
    ReminderListRequest request;
    request.controlId = controlId;
    request.day = day;
    request.month = month;
    request.year = year;
    switch (groupKind(controlId)) {
    case GroupKind::Date: copyKey(request.key, dateKey(day, month, year)); break;
    case GroupKind::Weekday: copyKey(request.key, weekdayKey(controlId - IDC_CAL_WEEKDAY_SUNDAY)); break;
    case GroupKind::EveryDay: copyKey(request.key, kEveryDayKey); break;
    case GroupKind::Monthly: copyKey(request.key, monthlyKey(day)); break;
    case GroupKind::Yearly: copyKey(request.key, yearlyKey(day, month)); break;
    case GroupKind::None: break;
    }
    return request;
}

}  // namespace tikkano
