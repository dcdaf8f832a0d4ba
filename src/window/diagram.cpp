#include "window/diagram.h"

#include "engine/board.h"
#include "window/layout.h"
#include "window/mainform.h"

#include <algorithm>

namespace torvelo {

// Each operation gets two U-shaped brackets level with its button, both from
// y = 55 + 45n: the inner pair (its first exchange) 20 pixels deep, the outer
// pair 35. A bracket is its left side, its right side, then its bottom.
std::array<QLine, 30> DIAGRAM_LINES() {
    std::array<QLine, 30> lines;
    std::size_t next = 0;
    for (int n = 1; n <= 5; ++n) {
        const int top = 55 + 45 * n;
        const auto& exchanges = OPERATION_EXCHANGES[static_cast<std::size_t>(n)];
        const int depths[2] = {20, 35};
        for (std::size_t pair = 0; pair < 2; ++pair) {
            const int left = cellColumn(std::min(exchanges[pair].first, exchanges[pair].second));
            const int right = cellColumn(std::max(exchanges[pair].first, exchanges[pair].second));
            const int bottom = top + depths[pair];
            lines[next++] = QLine(left, top, left, bottom);
            lines[next++] = QLine(right, top, right, bottom);
            lines[next++] = QLine(left, bottom, right, bottom);
        }
    }
    return lines;
}

void MAINFORM::DRAW_DIAGRAM() {
    // The window's drawing colour, black.
    for (const QLine& line : DIAGRAM_LINES())
        surface_.drawLine(line, QColor(0, 0, 0));
    repaint(); // onto the screen at once, not at the next paint
}

} // namespace torvelo
