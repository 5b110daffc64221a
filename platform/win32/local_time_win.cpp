// Win32 and C runtime calls only.
#include "platform/win32/windows_api.h"

#include <ctime>

#include "platform/local_time.h"

namespace os {

LocalTime GetLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    LocalTime local;
    local.year = now.wYear;
    local.month = now.wMonth;
    local.dayOfWeek = now.wDayOfWeek;
    local.day = now.wDay;
    local.hour = now.wHour;
    local.minute = now.wMinute;
    local.second = now.wSecond;
    local.milliseconds = now.wMilliseconds;
    return local;
}

int64_t CurrentTimeSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace os
