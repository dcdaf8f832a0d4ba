// The window as the engine sees it.
#pragma once

#include "text/text.h"

#include <array>
#include <string_view>

namespace torvelo {

// The controls the engine writes and reads, named for what they show. Each
// value is the layout's own name, so the control's place is one grep away.
namespace control {
// The history, oldest first; the last row is the current arrangement.
inline constexpr std::array<std::string_view, 5> HISTORY_ROWS = {"TEXT11", "TEXT12", "TEXT13",
                                                                 "TEXT14", "TEXT15"};
inline constexpr std::string_view CURRENT_ROW = HISTORY_ROWS.back();
inline constexpr std::string_view MOVE_COUNTER = "TEXT17";
inline constexpr std::string_view OPERATION_ORDER = "TEXT4";
inline constexpr std::string_view ANSWER = "TEXT5";
inline constexpr std::string_view COUNT_BOX = "EDIT1";
} // namespace control

class Controls {
  public:
    virtual ~Controls() = default;

    // Control names ("TEXT15", "edit1") are compared without regard to case;
    // a name the layout does not have throws UnknownControl. Setting a text
    // replaces it whole; reading gives back exactly the bytes set, however
    // long, whatever the window can show of them. Setting the count box's text
    // raises its change event, as typing does.
    virtual void setText(std::string_view name, const Text& text) = 0;
    virtual const Text& text(std::string_view name) const = 0;

    // The default alert sound, once, without waiting.
    virtual void beep() = 0;

    // Process pending window messages now, so that the window repaints, queues
    // input and can be closed during long work. May end the game by throwing;
    // the engine holds nothing that needs cleaning up when it does.
    virtual void keepResponsive() = 0;

    // Draws the operation diagram on the window, once, at start.
    virtual void DRAW_DIAGRAM() = 0;

    // Runs the handler of the oldest waiting event, first waiting for one if
    // there is none: exactly one handler per call. May end the game by throwing.
    virtual void WAIT_EVENT() = 0;
};

} // namespace torvelo
