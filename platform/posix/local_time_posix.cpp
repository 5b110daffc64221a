// POSIX calls only.
#include <sys/time.h>

#include <ctime>

#include "platform/local_time.h"

namespace os {

LocalTime GetLocalTime() {
    struct timeval now {};
    ::gettimeofday(&now, nullptr);
    struct tm parts {};
    time_t seconds = now.tv_sec;
    ::localtime_r(&seconds, &parts);
    LocalTime local;
    local.year = parts.tm_year + 1900;
    local.month = parts.tm_mon + 1;
    local.dayOfWeek = parts.tm_wday;
    local.day = parts.tm_mday;
    local.hour = parts.tm_hour;
    local.minute = parts.tm_min;
    local.second = parts.tm_sec;
    local.milliseconds = static_cast<int>(now.tv_usec / 1000);
    return local;
}

int64_t CurrentTimeSeconds() {
    return static_cast<int64_t>(::time(nullptr));
}

}  // namespace os
