// The window as the engine sees it.
#pragma once

#include "text/text.h"

#include <string_view>

namespace torvelo {

class Controls {
  public:
    virtual ~Controls() = default;

    // Control names ("TEXT15", "edit1") are compared without regard to case.
    // Setting a text replaces it whole; reading gives back exactly the bytes set,
    // however long, whatever the window can show of them.
    virtual void setText(std::string_view name, const Text& text) = 0;
    virtual const Text& text(std::string_view name) const = 0;

    // The default alert sound, once, without waiting.
    virtual void beep() = 0;

    // Process pending window messages now, so that the window repaints, queues
    // input and can be closed during long work. May end the game by throwing;
    // the engine holds nothing that needs cleaning up when it does.
    virtual void keepResponsive() = 0;
};

} // namespace torvelo
