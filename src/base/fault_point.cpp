#include "base/fault_point.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace tikkano {
namespace {

struct FaultPlan {
    char point[32] = {};
    unsigned long first = 0;
    unsigned long count = 0;
    unsigned long arrivals = 0;
    bool end = false;  // the process ends there, with nothing cleaned up
};

FaultPlan readPlan() {
    FaultPlan plan;
    char text[64];
    const DWORD length = GetEnvironmentVariableA("TIKKANO_FAULT", text, sizeof text);
    if (length == 0 || length >= sizeof text) return plan;
    char* colon = std::strchr(text, ':');
    if (!colon || colon - text >= static_cast<int>(sizeof plan.point)) return plan;
    *colon = '\0';
    std::strcpy(plan.point, text);
    char* rest = nullptr;
    plan.first = std::strtoul(colon + 1, &rest, 10);
    if (*rest == ':') plan.count = std::strtoul(rest + 1, &rest, 10);
    plan.end = std::strcmp(rest, ":end") == 0;
    return plan;
}

}  // namespace

void faultPoint(const char* point) {
    static FaultPlan plan = readPlan();
    if (plan.count == 0 || std::strcmp(plan.point, point) != 0) return;
    const unsigned long arrival = ++plan.arrivals;
    if (arrival < plan.first || arrival - plan.first >= plan.count) return;
    if (plan.end) TerminateProcess(GetCurrentProcess(), 3);
    throw std::bad_alloc();
}

}  // namespace tikkano
