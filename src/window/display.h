// Whether there is a display to open the window on, found out before Qt
// starts: Qt's own answer to a missing display is an English list of its
// plugins and an abort with a core dump.
#pragma once

#include <string>

namespace torvelo {

// Empty where the window can be opened, or where the user chose a platform of
// their own (QT_QPA_PLATFORM); otherwise one line for standard error that
// says which display could not be opened.
std::string displayProblem();

} // namespace torvelo
