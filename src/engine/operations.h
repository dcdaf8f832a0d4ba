// The five operations as data: each exchanges two pairs of cells. The first
// pair is the inner one of the reversed window, the second the outer one.
#pragma once

#include "engine/game.h"

#include <array>
#include <utility>

namespace torvelo {

struct Exchange {
    int first;
    int second;
};

// Indexed by operation number 1 to 5; row 0 is no operation.
inline constexpr std::array<std::array<Exchange, 2>, 6> OPERATION_EXCHANGES{{
    {{{0, 0}, {0, 0}}},
    {{{3, 2}, {4, 1}}}, // F1
    {{{4, 3}, {5, 2}}}, // F2
    {{{7, 6}, {8, 5}}}, // F3
    {{{8, 7}, {9, 6}}}, // F4
    {{{8, 2}, {9, 1}}}, // F5 wraps round the ends
}};

inline void applyOperation(Board& board, int n) {
    for (const Exchange& e : OPERATION_EXCHANGES[static_cast<std::size_t>(n)])
        std::swap(board[static_cast<std::size_t>(e.first)],
                  board[static_cast<std::size_t>(e.second)]);
}

} // namespace torvelo
