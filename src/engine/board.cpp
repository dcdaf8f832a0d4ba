#include "engine/game.h"

namespace torvelo {

void Game::OP_F1() {
    applyOperation(BOARD, 1);
}
void Game::OP_F2() {
    applyOperation(BOARD, 2);
}
void Game::OP_F3() {
    applyOperation(BOARD, 3);
}
void Game::OP_F4() {
    applyOperation(BOARD, 4);
}
void Game::OP_F5() {
    applyOperation(BOARD, 5);
}

void Game::OP(int n) {
    switch (n) {
    case 1:
        OP_F1();
        break;
    case 2:
        OP_F2();
        break;
    case 3:
        OP_F3();
        break;
    case 4:
        OP_F4();
        break;
    case 5:
        OP_F5();
        break;
    }
}

void Game::OPERATION_ON(int n) {
    OP(n);
    EVENT_CODE = static_cast<float>(n);
}

void Game::EVENT_ON(Event event) {
    EVENT_CODE = code(event);
}

void Game::ORDER_BOARD() {
    for (int i = 1; i <= 9; ++i)
        BOARD[static_cast<std::size_t>(i)] = CELL(i);
}

bool Game::boardIsOrdered() const {
    for (int i = 1; i <= 9; ++i) {
        if (BOARD[static_cast<std::size_t>(i)] != i) return false;
    }
    return true;
}

} // namespace torvelo
