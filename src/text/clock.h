// The local time of day, as the game reads it.
#pragma once

#include "text/text.h"

#include <cstdint>

namespace torvelo {

struct TimeOfDay {
    int hours = 0;   // 0..23
    int minutes = 0; // 0..59
    int seconds = 0; // 0..59 (60 in a leap second, where the system reports one)
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual TimeOfDay now() = 0;
};

// Reads the system's local time. The problem generator reads the clock once per
// draw, millions of times a second, so the conversion to local time is done once
// per second of system time and reused within it.
class SystemClock final : public Clock {
  public:
    TimeOfDay now() override;

  private:
    std::int64_t cachedSecond_ = INT64_MIN;
    TimeOfDay cached_{};
};

// "HH:MM:SS", as "%02u:%02u:%02u" gives it.
Text TIME_TEXT(Clock& clock);

} // namespace torvelo
