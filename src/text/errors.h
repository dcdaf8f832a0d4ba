// Every way the game stops short of running on, one type per outcome. They
// live at the bottom so that every layer can throw them, and MAIN catches
// them all in one place.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace torvelo {

// A fatal error: the rules met a value they cannot hold (6) or an argument
// they do not take (5). The error box shows the code; the status is 1.
class FatalError : public std::exception {
  public:
    static constexpr int IllegalArgument = 5;
    static constexpr int Overflow = 6;

    explicit FatalError(int code) noexcept : code_(code) {}
    int code() const noexcept { return code_; }
    const char* what() const noexcept override;

  private:
    int code_;
};

// The player closed the window, or interrupted with Ctrl+C: the game ends
// with status 0. Thrown by our own code once Qt has returned, never from
// inside a Qt callback.
class GameEnded : public std::exception {
  public:
    enum class Reason { Closed, Interrupted };

    explicit GameEnded(Reason reason) noexcept : reason_(reason) {}
    Reason reason() const noexcept { return reason_; }
    const char* what() const noexcept override;

  private:
    Reason reason_;
};

// The window could not be built; the box says why and the status is 1.
class WindowNotOpened : public std::exception {
  public:
    enum class Reason { CannotOpen, NotEnoughMemory, SystemTrouble };

    explicit WindowNotOpened(Reason reason) noexcept : reason_(reason) {}
    Reason reason() const noexcept { return reason_; }
    const char* what() const noexcept override;

  private:
    Reason reason_;
};

// A control name that the layout does not have: a mistake in the program,
// from the real window and from a test's stand-in alike.
class UnknownControl : public std::logic_error {
  public:
    explicit UnknownControl(const std::string& name)
        : std::logic_error("no control named " + name) {}
};

} // namespace torvelo
