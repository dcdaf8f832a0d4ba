// Boards written as the player reads them, "1 2 8 9 6 5 4 3 7", and an oracle
// for the operations that is independent of the engine's exchange table.
#pragma once

#include "engine/board.h"

#include <cstddef>
#include <sstream>
#include <string>

namespace torvelo::testing {

inline Board board(const std::string& row) {
    Board b{};
    std::istringstream in(row);
    for (std::size_t i = 1; i <= 9; ++i)
        in >> b[i];
    return b;
}

inline std::string show(const Board& b) {
    std::string s;
    for (std::size_t i = 1; i <= 9; ++i) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // a literal plus a temporary string.
        if (i > 1) s += ' ';
        s += std::to_string(b[i]);
    }
    return s;
}

// The game's ROW_TEXT for a row written "1 2 3 4 5 6 7 8 9".
inline std::string rowText(const std::string& row) {
    return row + " \r";
}

// Operation n reverses a window of four cells, F5's wrapping round the ends.
inline Board reversed(Board b, int n) {
    static const int windows[6][4] = {{},           {1, 2, 3, 4}, {2, 3, 4, 5},
                                      {5, 6, 7, 8}, {6, 7, 8, 9}, {8, 9, 1, 2}};
    const Board old = b;
    for (int k = 0; k < 4; ++k)
        b[std::size_t(windows[n][k])] = old[std::size_t(windows[n][3 - k])];
    return b;
}

// The operations named by a text of digits, applied from left to right.
inline Board applied(Board b, const std::string& digits) {
    for (char c : digits)
        b = reversed(b, c - '0');
    return b;
}

} // namespace torvelo::testing
