#include "text/clock.h"

#include <cstdio>
#include <ctime>

namespace torvelo {

TimeOfDay SystemClock::now() {
    // The coarse clock is the kernel's last tick, read without asking the
    // hardware: a few nanoseconds where the precise one costs as much as the
    // rest of a scramble step, and a draw needs only the second.
    timespec ts{};
    clock_gettime(CLOCK_REALTIME_COARSE, &ts);
    if (ts.tv_sec != cachedSecond_) {
        const time_t seconds = ts.tv_sec;
        tm local{};
        localtime_r(&seconds, &local);
        cached_ = TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
        cachedSecond_ = ts.tv_sec;
    }
    return cached_;
}

Text TIME_TEXT(Clock& clock) {
    const TimeOfDay t = clock.now();
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", static_cast<unsigned>(t.hours),
                                static_cast<unsigned>(t.minutes), static_cast<unsigned>(t.seconds));
    return Text(buf, static_cast<std::size_t>(n));
}

} // namespace torvelo
