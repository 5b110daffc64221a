#pragma once
// Local time with milliseconds (GetLocalTime) and the C runtime's time in seconds.

#include <cstdint>

namespace os {

struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

LocalTime GetLocalTime();
// time(nullptr): seconds since 1970, the seed of the C runtime generator.
int64_t CurrentTimeSeconds();

}  // namespace os
