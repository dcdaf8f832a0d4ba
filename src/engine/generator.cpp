#include "engine/game.h"
#include "engine/operations.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace torvelo {

std::uint64_t SCRAMBLE_STEPS(float count) {
    if (!(count >= 2))
        return 1; // zero, negatives and fractions below 2: the first step always runs
    // A float counter stops counting at 2^24 and the scramble would never end;
    // counting in 64 bits performs exactly floor(count) steps up to the cap.
    if (count >= static_cast<float>(LARGEST_SCRAMBLE)) return LARGEST_SCRAMBLE;
    return static_cast<std::uint64_t>(count);
}

namespace {

// R, LAST_OP, R does what LAST_OP alone does when R and LAST_OP reverse windows
// that share no cell.
bool disjointPair(int r, int last) {
    return (r == 1 && last == 3) || (r == 1 && last == 4) || (r == 2 && last == 4) ||
           (r == 3 && last == 1) || (r == 4 && last == 1) || (r == 4 && last == 2);
}

// How long the scramble may work before the window gets its turn; below the
// 16 ms of a frame, so a long scramble never stalls a repaint or a close.
constexpr auto RESPONSIVE_INTERVAL = std::chrono::milliseconds(8);
// Steps between two looks at the steady clock: a few tens of microseconds.
constexpr std::uint64_t STEPS_BETWEEN_LOOKS = 4096;

} // namespace

void Game::NEW_PROBLEM() {
    do {
        for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14", "TEXT15"})
            controls_.setText(row, BLANKS(10));
        MOVE_COUNT = 0;
        controls_.setText("TEXT17", NUMBER_TEXT(0));
        ORDER_BOARD();
        ANSWER_LOG.clear();
        controls_.setText("TEXT5", ANSWER_LOG);
        MOVE_LOG.clear();
        controls_.setText("TEXT4", MOVE_LOG);
        LAST_OP = 0;
        PREV_OP = 6;
        scramble();
        MAKE_ROW_TEXT();
    } while (BOARD_IS_ORDERED()); // a problem is never the ordered row
    controls_.setText("TEXT15", ROW_TEXT);
    for (int i = 1; i <= 9; ++i)
        START_BOARD[static_cast<std::size_t>(i)] = BOARD[static_cast<std::size_t>(i)];
    EVENT_CODE = 0;
}

// One step per accepted draw, millions of them for a large count, so the draw
// is done in plain arithmetic that gives what the text rules would:
// - the seed text, the seconds of one reading followed by ":" and the minutes'
//   tens of another, reads as the seconds value, which WHOLE_NUMBER keeps;
// - FLOOR(NEXT_RANDOM() * 5 + 1) of a positive value is 1 plus the truncation;
// - RIGHT_TEXT(NUMBER_TEXT(R), 1) of a digit R is its character.
// The answer is collected in step order and reversed once at the end, since
// putting each digit in front would copy the whole text at every step.
void Game::scramble() {
    const std::uint64_t steps = SCRAMBLE_STEPS(SCRAMBLE_COUNT);
    int last = static_cast<int>(LAST_OP);
    int prev = static_cast<int>(PREV_OP);
    Text inStepOrder;
    inStepOrder.reserve(static_cast<std::size_t>(steps));

    auto lastTurn = std::chrono::steady_clock::now();
    for (std::uint64_t done = 0; done < steps;) {
        int r = 0;
        do {
            RANDOM.SEED_RANDOM(clock_.now().seconds);
            r = 1 + static_cast<int>(static_cast<double>(RANDOM.NEXT_RANDOM()) * 5);
        } while (r == last || (r == prev && disjointPair(r, last)));
        applyOperation(BOARD, r);
        prev = last;
        last = r;
        inStepOrder.push_back(static_cast<char>('0' + r));
        ++done;

        if (done % STEPS_BETWEEN_LOOKS == 0 &&
            std::chrono::steady_clock::now() - lastTurn >= RESPONSIVE_INTERVAL) {
            controls_.keepResponsive();
            lastTurn = std::chrono::steady_clock::now();
        }
    }
    LAST_OP = static_cast<float>(last);
    PREV_OP = static_cast<float>(prev);
    std::reverse(inStepOrder.begin(), inStepOrder.end());
    ANSWER_LOG = std::move(inStepOrder);
}

void Game::SHOW_ANSWER() {
    controls_.setText("TEXT5", ANSWER_LOG);
    EVENT_CODE = 0;
}

} // namespace torvelo
