// The puzzle engine: the game's program-wide state and its routines, named as
// the game names them. A routine takes no arguments and returns nothing; it
// works on the state below and writes the window's labels through Controls.
#pragma once

#include "engine/controls.h"
#include "text/clock.h"
#include "text/random.h"
#include "text/text.h"

#include <array>
#include <cstdint>

namespace torvelo {

// Cells 1 to 9; slot 0 is never used.
using Board = std::array<std::int16_t, 10>;

// The most steps a scramble performs, whatever the count: 2^26. Its answer
// keeps one byte per step, so this bounds the memory a new problem takes (64 MB
// for the answer, as much again where it is shown) and the time it takes (a
// few seconds), while every count a float counter can count stays exact.
inline constexpr std::uint64_t LARGEST_SCRAMBLE = std::uint64_t(1) << 26;

// How many accepted steps a scramble performs for a count: floor(count), at
// least one and at most LARGEST_SCRAMBLE.
std::uint64_t SCRAMBLE_STEPS(float count);

class Game {
  public:
    Game(Controls& controls, Clock& clock) : controls_(controls), clock_(clock) {}

    Board BOARD{};
    Board START_BOARD{};
    float EVENT_CODE = 0;
    float SCRAMBLE_COUNT = 0;
    float MOVE_COUNT = 0;
    float LAST_OP = 0;
    float PREV_OP = 0;
    Text MOVE_LOG;
    Text ANSWER_LOG;
    Text ROW_TEXT;
    Random RANDOM;

    // The five operations on BOARD, and OP(n) for the operation numbered n.
    void OP_F1();
    void OP_F2();
    void OP_F3();
    void OP_F4();
    void OP_F5();
    void OP(int n);

    // What the operation buttons' handlers do to the game: apply operation n to
    // BOARD and set EVENT_CODE to n.
    void OPERATION_ON(int n);

    // BOARD[i] = i: the ordered row.
    void ORDER_BOARD();
    bool BOARD_IS_ORDERED() const;

    void MAKE_ROW_TEXT();
    void RECORD_MOVE();
    void CHECK_SOLVED();
    void RETRY();
    void NEW_PROBLEM();
    void SHOW_ANSWER();

    // SCRAMBLE_COUNT from the text of EDIT1.
    void READ_SCRAMBLE_COUNT();

    // The main loop's work for one event, once WAIT_EVENT has run its handler:
    // read EVENT_CODE and call the routine for it, then the solved check.
    void DISPATCH_EVENT();

  private:
    void scramble();

    Controls& controls_;
    Clock& clock_;
};

} // namespace torvelo
