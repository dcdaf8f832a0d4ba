#include "engine/game.h"

namespace torvelo {

namespace {
// "   正解です" in cp932.
const Text SOLVED_TEXT = "   \x90\xB3\x89\xF0\x82\xC5\x82\xB7";
} // namespace

void Game::MAKE_ROW_TEXT() {
    ROW_TEXT.clear();
    for (int i = 1; i <= 9; ++i) {
        ROW_TEXT += HEX_TEXT(BOARD[static_cast<std::size_t>(i)]);
        ROW_TEXT += ' ';
    }
    ROW_TEXT += CHAR_TEXT(13);
}

void Game::RECORD_MOVE() {
    MOVE_LOG += RIGHT_TEXT(NUMBER_TEXT(EVENT_CODE), 1);
    // The labels are the history's only store; each row is read before it is
    // overwritten.
    controls_.setText("TEXT11", controls_.text("TEXT12"));
    controls_.setText("TEXT12", controls_.text("TEXT13"));
    controls_.setText("TEXT13", controls_.text("TEXT14"));
    controls_.setText("TEXT14", controls_.text("TEXT15"));
    MAKE_ROW_TEXT();
    controls_.setText("TEXT15", ROW_TEXT);
    MOVE_COUNT = SINGLE(static_cast<double>(MOVE_COUNT) + 1);
    controls_.setText("TEXT17", NUMBER_TEXT(MOVE_COUNT));
    controls_.setText("TEXT4", MOVE_LOG);
    EVENT_CODE = 0;
}

void Game::CHECK_SOLVED() {
    if (!BOARD_IS_ORDERED()) return;
    controls_.setText("TEXT17", NUMBER_TEXT(MOVE_COUNT) + SOLVED_TEXT);
    controls_.beep();
}

void Game::RETRY() {
    for (int i = 1; i <= 9; ++i)
        BOARD[static_cast<std::size_t>(i)] = START_BOARD[static_cast<std::size_t>(i)];
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14"})
        controls_.setText(row, Text());
    MAKE_ROW_TEXT();
    controls_.setText("TEXT15", ROW_TEXT);
    MOVE_COUNT = 0;
    controls_.setText("TEXT17", NUMBER_TEXT(0));
    MOVE_LOG.clear();
    controls_.setText("TEXT4", MOVE_LOG);
    controls_.setText("TEXT5", Text());
}

void Game::READ_SCRAMBLE_COUNT() {
    SCRAMBLE_COUNT = SINGLE(TEXT_NUMBER(controls_.text("EDIT1")));
}

void Game::DISPATCH_EVENT() {
    const float c = EVENT_CODE;
    if (c >= 9) {
        READ_SCRAMBLE_COUNT();
        return; // an edit is no move: no solved check
    }
    if (c == 6) {
        NEW_PROBLEM();
    } else if (c == 7) {
        SHOW_ANSWER();
    } else if (c == 8) {
        RETRY();
    } else {
        RECORD_MOVE();
    }
    CHECK_SOLVED();
}

} // namespace torvelo
