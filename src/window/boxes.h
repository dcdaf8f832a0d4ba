// The message boxes with which the game ends: interrupted, a fatal error, or a
// window that could not be built.
#pragma once

#include "text/errors.h"

#include <QString>

class QWidget;

namespace torvelo {

// The program file's name without its extension, followed by ".EXE": the title
// of every box the game shows.
QString boxTitle();

// Each shows a modal warning box and returns once the player dismisses it,
// with any key or the box's button.
void showInterruptedBox(QWidget* parent);
void showFatalErrorBox(QWidget* parent, int code);
void showNotEnoughMemoryBox(QWidget* parent);
void showWindowNotOpenedBox(WindowNotOpened::Reason reason);

} // namespace torvelo
