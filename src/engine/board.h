// The board and its five operations, as data: each operation exchanges two
// pairs of cells, and the problem generator refuses draws that would waste a
// step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace torvelo {

// Cells 1 to 9; slot 0 is never used.
using Board = std::array<std::int16_t, 10>;

struct Exchange {
    int first;
    int second;
};

// Indexed by operation number 1 to 5; row 0 is no operation. The first pair
// is the inner one of the reversed window, the second the outer one.
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

// The numbers of no operation: LAST_OP and PREV_OP before a scramble's first
// step, so that no draw equals them.
inline constexpr int NO_LAST_OP = 0;
inline constexpr int NO_PREV_OP = 6;

// Whether the generator refuses draw r after the steps last and, before it,
// prev: r would undo the last step, or r, last, r would do what last alone
// does because r and last reverse windows that share no cell.
inline constexpr bool REFUSED(int r, int last, int prev) {
    if (r == last) return true;
    if (r != prev) return false;
    return (r == 1 && last == 3) || (r == 1 && last == 4) || (r == 2 && last == 4) ||
           (r == 3 && last == 1) || (r == 4 && last == 1) || (r == 4 && last == 2);
}

} // namespace torvelo
