// MAIN: the main program, from opening the window to the game's end.
#pragma once

#include <functional>
#include <memory>

namespace torvelo {

class MAINFORM;

// Opens the game's window as the game starts with it: MAINFORM::open, or a
// stand-in for a test. Throws WindowNotOpened.
using WindowOpener = std::function<std::unique_ptr<MAINFORM>()>;

// Opens the window, runs the start-up sequence and the main loop, shows the
// box the game's ending calls for and returns the exit status: 0 for a close
// or an interruption, 1 for a fatal error, memory running out, or a window
// that could not be opened. Needs the application object.
int MAIN(const WindowOpener& openWindow);

} // namespace torvelo
