// The display the window opens on, settled before Qt starts: Qt's own answer
// to a missing display is an English list of its plugins and an abort with a
// core dump.
#pragma once

#include <string>

namespace torvelo {

// Empty where the window can be opened, or where the user chose a platform of
// their own (QT_QPA_PLATFORM); otherwise one line for standard error that
// says which display could not be opened.
std::string displayProblem();

// Asks Qt for X first, with Wayland where there is no X, unless the user has
// chosen a platform (QT_QPA_PLATFORM). Call before the application is made.
void preferX11();

} // namespace torvelo
