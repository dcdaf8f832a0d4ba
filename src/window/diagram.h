// The operation diagram: beside each operation button, a bracket for each pair
// of cells that the operation exchanges.
#pragma once

#include <QLine>
#include <array>

namespace torvelo {

// The 30 lines in drawing order, in client-area pixels, both end points
// belonging to the line.
std::array<QLine, 30> DIAGRAM_LINES();

} // namespace torvelo
