// The ways a desktop session ends a program, each taken as a close of the
// window: SIGTERM (shutdown, `kill`), SIGHUP (the terminal or the session goes),
// the session manager's logout, and the X display going away.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace torvelo {

class SessionEnd final : public QObject {
    Q_OBJECT
  public:
    // From now on, `end` runs inside Qt's event processing whenever the
    // session asks the game to end. Needs the application object.
    explicit SessionEnd(std::function<void()> end);
    // Back to the default handling of the signals and of a lost display.
    ~SessionEnd() override;

    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

  private:
    void onSignal();

    std::function<void()> end_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace torvelo
