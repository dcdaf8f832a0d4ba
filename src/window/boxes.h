// The message boxes with which the game ends: interrupted, a fatal error, or a
// window that could not be built.
#pragma once

#include <QString>
#include <exception>

class QWidget;

namespace torvelo {

// Building the window failed; main shows why and ends.
class WindowNotOpened : public std::exception {
  public:
    enum class Reason { CannotOpen, NotEnoughMemory, SystemTrouble };

    explicit WindowNotOpened(Reason reason) noexcept : reason_(reason) {}
    Reason reason() const noexcept { return reason_; }
    const char* what() const noexcept override { return "the window cannot be opened"; }

  private:
    Reason reason_;
};

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
