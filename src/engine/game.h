// The puzzle engine: the game's state and its routines, named as the game
// names them. A routine takes no arguments and returns nothing; it works on
// the state below and writes the window's labels through Controls.
#pragma once

#include "engine/board.h"
#include "engine/controls.h"
#include "text/clock.h"
#include "text/random.h"
#include "text/text.h"

#include <array>
#include <cstdint>

namespace torvelo {

// What a handler tells the main loop through EVENT_CODE.
enum class Event : int {
    None = 0,
    OperationF1 = 1, // operations F1 to F5 have been applied
    OperationF2 = 2,
    OperationF3 = 3,
    OperationF4 = 4,
    OperationF5 = 5,
    NewProblemAsked = 6,
    AnswerAsked = 7,
    RetryAsked = 8,
    CountEdited = 9,
};

// The EVENT_CODE of an event, a single-precision number like every number of
// the game.
inline constexpr float code(Event event) {
    return static_cast<float>(static_cast<int>(event));
}

// The count of the first problem, and what the count box shows at start.
inline constexpr float FIRST_SCRAMBLE_COUNT = 6;

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
    // The generator starts from RANDOM_STATE 204, as every game does; a test
    // may hand it another state.
    Game(Controls& controls, Clock& clock, Random random = {})
        : RANDOM(random), controls_(controls), clock_(clock) {}

    // MAIN's start-up sequence: the diagram, the ordered row, the first count
    // in the count box, the wait that its change event ends, the first problem.
    void START_UP();

    // The main loop's work for one event, once WAIT_EVENT has run its handler:
    // read EVENT_CODE and call the routine for it, then the solved check.
    void DISPATCH_EVENT();

    // The handlers' way in. BUTTON1_ON to BUTTON5_ON apply operation n to the
    // board, through OP_F1 to OP_F5, and report it; the other handlers only
    // report their event.
    void OPERATION_ON(int n);
    void EVENT_ON(Event event);

    // The five operations on BOARD.
    void OP_F1();
    void OP_F2();
    void OP_F3();
    void OP_F4();
    void OP_F5();

    void MAKE_ROW_TEXT();
    void RECORD_MOVE();
    void CHECK_SOLVED();
    void RETRY();
    void NEW_PROBLEM();
    void SHOW_ANSWER();

    // The state, for reading.
    const Board& board() const { return BOARD; }
    const Board& startBoard() const { return START_BOARD; }
    bool boardIsOrdered() const;
    float eventCode() const { return EVENT_CODE; }
    float scrambleCount() const { return SCRAMBLE_COUNT; }
    float moveCount() const { return MOVE_COUNT; }
    const Text& moveLog() const { return MOVE_LOG; }
    const Text& answerLog() const { return ANSWER_LOG; }
    std::uint32_t randomState() const { return RANDOM.RANDOM_STATE; }

    // BOARD[i] = i: the ordered row.
    void ORDER_BOARD();

  private:
    // Operation n (1 to 5) through its routine, OP_F1 to OP_F5.
    void OP(int n);
    // SCRAMBLE_COUNT from the text of the count box.
    void READ_SCRAMBLE_COUNT();
    void scramble();
    // The history rows as they are kept, onto the labels.
    void showHistory();

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
    // The last five arrangements, oldest first, as the labels show them.
    std::array<Text, 5> HISTORY_ROWS;
    Random RANDOM;

    Controls& controls_;
    Clock& clock_;
};

} // namespace torvelo
