#include "engine/game.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace torvelo {

namespace {

// NEW_PROBLEM clears the older history rows to this many blanks.
constexpr int BLANK_ROW_WIDTH = 10;

// How long the scramble may work before the window gets its turn; below the
// 16 ms of a frame, so a long scramble never stalls a repaint or a close.
constexpr auto RESPONSIVE_INTERVAL = std::chrono::milliseconds(8);
// Steps between two looks at the steady clock: a few tens of microseconds.
constexpr std::uint64_t STEPS_BETWEEN_LOOKS = 4096;

} // namespace

std::uint64_t SCRAMBLE_STEPS(float count) {
    if (!(count >= 2))
        return 1; // zero, negatives and fractions below 2: the first step always runs
    // A float counter stops counting at 2^24 and the scramble would never end;
    // counting in 64 bits performs exactly floor(count) steps up to the cap.
    if (count >= static_cast<float>(LARGEST_SCRAMBLE)) return LARGEST_SCRAMBLE;
    return static_cast<std::uint64_t>(count);
}

void Game::NEW_PROBLEM() {
    do {
        HISTORY_ROWS.fill(BLANKS(BLANK_ROW_WIDTH));
        showHistory();
        MOVE_COUNT = 0;
        controls_.setText(control::MOVE_COUNTER, NUMBER_TEXT(0));
        ORDER_BOARD();
        ANSWER_LOG.clear();
        controls_.setText(control::ANSWER, ANSWER_LOG);
        MOVE_LOG.clear();
        controls_.setText(control::OPERATION_ORDER, MOVE_LOG);
        LAST_OP = NO_LAST_OP;
        PREV_OP = NO_PREV_OP;
        scramble();
        MAKE_ROW_TEXT();
    } while (boardIsOrdered()); // a problem is never the ordered row
    HISTORY_ROWS.back() = ROW_TEXT;
    controls_.setText(control::CURRENT_ROW, ROW_TEXT);
    for (int i = 1; i <= 9; ++i)
        START_BOARD[static_cast<std::size_t>(i)] = BOARD[static_cast<std::size_t>(i)];
    EVENT_CODE = code(Event::None);
}

// Every draw mixes the clock's current seconds into the generator and steps
// it; a refused draw does too, and only changes the generator. The seconds
// are what the game's seed text (the seconds of one reading of the time,
// then ":" and the tens of the minutes of another) always reads as, so one
// reading of the clock per draw gives the same seed; tst_text shows the two
// agree. R is 1 plus the whole part of NEXT_RANDOM() * 5, which is what FLOOR
// gives for a positive value, and its digit is the one character that
// RIGHT_TEXT(NUMBER_TEXT(R), 1) gives.
//
// Millions of steps for a large count: the answer is collected in step order
// and reversed once at the end, since putting each digit in front would copy
// the whole text at every step.
void Game::scramble() {
    const std::uint64_t steps = SCRAMBLE_STEPS(SCRAMBLE_COUNT);
    int last = static_cast<int>(LAST_OP);
    int prev = static_cast<int>(PREV_OP);
    Text inStepOrder;
    inStepOrder.reserve(static_cast<std::size_t>(steps));

    // The generator's state in a local, where the compiler keeps it in a
    // register across the clock's virtual call; written back whenever the
    // window may look, and at the end.
    Random random = RANDOM;
    auto lastTurn = std::chrono::steady_clock::now();
    for (std::uint64_t done = 0; done < steps;) {
        int r = 0;
        do {
            random.SEED_RANDOM(clock_.now().seconds);
            r = 1 + static_cast<int>(static_cast<double>(random.NEXT_RANDOM()) * 5);
        } while (REFUSED(r, last, prev));
        // The exchanges of operation r, from the table OP_F1 to OP_F5 apply.
        // Calling the routines themselves by r here would cost a third of the
        // step: r is random, so the branch to the routine is mispredicted
        // nearly every time, where a look-up in the table is not.
        applyOperation(BOARD, r);
        prev = last;
        last = r;
        inStepOrder.push_back(static_cast<char>('0' + r));
        ++done;

        if (done % STEPS_BETWEEN_LOOKS == 0 &&
            std::chrono::steady_clock::now() - lastTurn >= RESPONSIVE_INTERVAL) {
            RANDOM = random;
            controls_.keepResponsive();
            lastTurn = std::chrono::steady_clock::now();
        }
    }
    RANDOM = random;
    LAST_OP = static_cast<float>(last);
    PREV_OP = static_cast<float>(prev);
    std::reverse(inStepOrder.begin(), inStepOrder.end());
    ANSWER_LOG = std::move(inStepOrder);
}

void Game::SHOW_ANSWER() {
    controls_.setText(control::ANSWER, ANSWER_LOG);
    EVENT_CODE = code(Event::None);
}

} // namespace torvelo
