// The layout of MAINFORM: its 22 controls, in creation order, which is also the
// keyboard focus order.
#pragma once

#include <QRgb>
#include <Qt>
#include <array>
#include <cstddef>
#include <string_view>

namespace torvelo {

// A ruler is a label whose words stand each over its own cell column.
enum class ControlKind { Label, Ruler, Button, Edit };

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    int x, y, width, height; // client-area pixels
    const char* text;        // initial text, UTF-8
    const char* face;
    int points;
    QRgb textColour;
    QRgb background;
    Qt::Alignment alignment;
    bool wrap;               // break at word boundaries onto further lines
    const char* description; // what the control is for, for screen readers; UTF-8
};

inline constexpr int CLIENT_WIDTH = 640;
inline constexpr int CLIENT_HEIGHT = 468;
inline constexpr int WINDOW_X = 15; // outer top-left corner on the screen
inline constexpr int WINDOW_Y = 14;
inline constexpr QRgb WINDOW_BACKGROUND = qRgb(255, 255, 255);

// The window's own font fixes the 8 x 18 character cell of its 80 x 26 grid;
// nothing is written in it.
inline constexpr const char* WINDOW_FACE = "FixedSys";
inline constexpr int WINDOW_FONT_PIXELS = 18;
inline constexpr int GRID_COLUMNS = 80;
inline constexpr int GRID_ROWS = 26;

// Cell k of the row (1 to 9) stands at this x in the client area: the ruler
// numbers it and the operation diagram's brackets join it.
inline constexpr int cellColumn(int k) {
    return 136 + 22 * k;
}

inline constexpr std::size_t CONTROL_COUNT = 22;

extern const std::array<ControlSpec, CONTROL_COUNT> LAYOUT;

} // namespace torvelo
