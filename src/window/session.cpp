#include "window/session.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <xcb/xcb.h>

namespace torvelo {

namespace {

constexpr std::array<int, 2> SESSION_SIGNALS = {SIGTERM, SIGHUP};

// A signal handler may do next to nothing: it writes one byte into a pipe,
// and the window's event processing reads it like any other input.
int signalPipe[2] = {-1, -1};

void onSessionSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

void openSignalPipe() {
    if (signalPipe[0] != -1) return;
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for the session's signals");
}

void handleSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : SESSION_SIGNALS)
        sigaction(signal, &action, nullptr);
}

// Qt's X11 plugin answers a display that goes away (the X server ending with
// the session) by calling exit(1) from inside its event processing, where
// nothing of ours can step in. An exit handler can: while the game runs, an
// exit whose X connection has broken is the session's end, and ends with 0.
std::atomic<xcb_connection_t*> watchedConnection{nullptr};

void exitOnLostDisplay() {
    xcb_connection_t* connection = watchedConnection.load();
    if (connection && xcb_connection_has_error(connection)) _exit(0);
}

} // namespace

SessionEnd::SessionEnd(std::function<void()> end) : end_(std::move(end)) {
    openSignalPipe();
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::onSignal);
    handleSignals(onSessionSignal);

    // Logging out asks no question and saves nothing: the game just ends.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { end_(); });

    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        static const bool registered = std::atexit(exitOnLostDisplay) == 0;
        if (registered) watchedConnection.store(x11->connection());
    }
}

SessionEnd::~SessionEnd() {
    // The connection is closed with the application, after this.
    watchedConnection.store(nullptr);
    handleSignals(SIG_DFL);
}

void SessionEnd::onSignal() {
    char bytes[64];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    end_();
}

} // namespace torvelo
