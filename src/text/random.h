// The game's pseudo-random generator: a 32-bit linear congruential generator
// whose state starts at 204 and is mixed with the clock's seconds by exclusive or.
#pragma once

#include <cstdint>

namespace torvelo {

struct Random {
    std::uint32_t RANDOM_STATE = 204;

    void SEED_RANDOM(std::int32_t n) { RANDOM_STATE ^= static_cast<std::uint32_t>(n); }

    // m / 2^23 for the top 23 bits m of the next state; a zero m is skipped, so
    // the result lies strictly between 0 and 1.
    float NEXT_RANDOM() {
        std::uint32_t m = 0;
        do {
            RANDOM_STATE = RANDOM_STATE * 2058568021u + 1276750819u;
            m = RANDOM_STATE >> 9;
        } while (m == 0);
        return static_cast<float>(m) * 0x1p-23f;
    }
};

} // namespace torvelo
