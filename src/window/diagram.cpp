#include "window/diagram.h"

#include "engine/operations.h"
#include "window/boxes.h"
#include "window/mainform.h"

#include <QPainter>
#include <algorithm>

namespace torvelo {

namespace {
// Cell k stands at x = 136 + 22k, under its digit on the ruler.
int column(int cell) {
    return 136 + 22 * cell;
}
} // namespace

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
            const int left = column(std::min(exchanges[pair].first, exchanges[pair].second));
            const int right = column(std::max(exchanges[pair].first, exchanges[pair].second));
            const int bottom = top + depths[pair];
            lines[next++] = QLine(left, top, left, bottom);
            lines[next++] = QLine(right, top, right, bottom);
            lines[next++] = QLine(left, bottom, right, bottom);
        }
    }
    return lines;
}

void MAINFORM::DRAW_DIAGRAM() {
    QPainter painter(&surface_);
    if (!painter.isActive()) throw WindowNotOpened(WindowNotOpened::Reason::SystemTrouble);
    // Aliased, one pixel wide, square caps: both end points are set.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::SolidLine, Qt::SquareCap));
    for (const QLine& line : DIAGRAM_LINES())
        painter.drawLine(line);
    painter.end();
    repaint(); // onto the screen at once, not at the next paint
}

} // namespace torvelo
