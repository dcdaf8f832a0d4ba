#include "engine/game.h"

namespace torvelo {

namespace {
// "   正解です" in cp932.
const Text SOLVED_TEXT = "   \x90\xB3\x89\xF0\x82\xC5\x82\xB7";
// ROW_TEXT ends each row with a carriage return.
constexpr int CARRIAGE_RETURN = 13;
} // namespace

void Game::START_UP() {
    controls_.DRAW_DIAGRAM();
    ORDER_BOARD();
    SCRAMBLE_COUNT = FIRST_SCRAMBLE_COUNT;
    controls_.setText(control::COUNT_BOX, NUMBER_TEXT(SCRAMBLE_COUNT));
    // Returns at once: the setting above queued the count box's change event.
    controls_.WAIT_EVENT();
    NEW_PROBLEM();
}

void Game::MAKE_ROW_TEXT() {
    ROW_TEXT.clear();
    for (int i = 1; i <= 9; ++i) {
        ROW_TEXT += HEX_TEXT(BOARD[static_cast<std::size_t>(i)]);
        ROW_TEXT += ' ';
    }
    ROW_TEXT += CHAR_TEXT(CARRIAGE_RETURN);
}

void Game::showHistory() {
    for (std::size_t row = 0; row < HISTORY_ROWS.size(); ++row)
        controls_.setText(control::HISTORY_ROWS[row], HISTORY_ROWS[row]);
}

void Game::RECORD_MOVE() {
    MOVE_LOG += RIGHT_TEXT(NUMBER_TEXT(EVENT_CODE), 1);
    // The oldest row drops out, each other moves up unchanged, and the newest
    // shows the board after the move.
    for (std::size_t row = 0; row + 1 < HISTORY_ROWS.size(); ++row)
        HISTORY_ROWS[row] = std::move(HISTORY_ROWS[row + 1]);
    MAKE_ROW_TEXT();
    HISTORY_ROWS.back() = ROW_TEXT;
    showHistory();
    MOVE_COUNT = SINGLE(static_cast<double>(MOVE_COUNT) + 1);
    controls_.setText(control::MOVE_COUNTER, NUMBER_TEXT(MOVE_COUNT));
    controls_.setText(control::OPERATION_ORDER, MOVE_LOG);
    EVENT_CODE = code(Event::None);
}

void Game::CHECK_SOLVED() {
    if (!boardIsOrdered()) return;
    controls_.setText(control::MOVE_COUNTER, NUMBER_TEXT(MOVE_COUNT) + SOLVED_TEXT);
    controls_.beep();
}

void Game::RETRY() {
    for (int i = 1; i <= 9; ++i)
        BOARD[static_cast<std::size_t>(i)] = START_BOARD[static_cast<std::size_t>(i)];
    // Retry leaves the older rows empty, where a new problem leaves blanks.
    HISTORY_ROWS.fill(Text());
    MAKE_ROW_TEXT();
    HISTORY_ROWS.back() = ROW_TEXT;
    showHistory();
    MOVE_COUNT = 0;
    controls_.setText(control::MOVE_COUNTER, NUMBER_TEXT(0));
    MOVE_LOG.clear();
    controls_.setText(control::OPERATION_ORDER, MOVE_LOG);
    controls_.setText(control::ANSWER, Text());
}

void Game::READ_SCRAMBLE_COUNT() {
    SCRAMBLE_COUNT = SINGLE(TEXT_NUMBER(controls_.text(control::COUNT_BOX)));
}

void Game::DISPATCH_EVENT() {
    const float c = EVENT_CODE;
    if (c >= code(Event::CountEdited)) {
        READ_SCRAMBLE_COUNT();
        return; // an edit is no move: no solved check
    }
    if (c == code(Event::NewProblemAsked)) {
        NEW_PROBLEM();
    } else if (c == code(Event::AnswerAsked)) {
        SHOW_ANSWER();
    } else if (c == code(Event::RetryAsked)) {
        RETRY();
    } else {
        RECORD_MOVE();
    }
    CHECK_SOLVED();
}

} // namespace torvelo
