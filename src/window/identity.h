// Who the game is to the desktop: its name, its desktop entry and its icon, so
// that a dock or Alt+Tab shows the game's icon and name for its window.
#pragma once

namespace torvelo {

// The desktop entry's name, without ".desktop".
inline constexpr const char* DESKTOP_ENTRY = "org.torvelo.Torvelo";

// Names the running application after its desktop entry (WM_CLASS "torvelo",
// the entry's StartupWMClass) and gives every window the game's icon: the
// installed one of the icon theme, else the copy built into the program.
void identifyTheGame();

} // namespace torvelo
