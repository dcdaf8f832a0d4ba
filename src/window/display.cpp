#include "window/display.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace torvelo {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool xDisplayOpens() {
    if (environment("DISPLAY").empty()) return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened;
}

// A Wayland compositor answers on WAYLAND_DISPLAY, and Qt has its plugin.
bool waylandDisplayOpens() {
    const std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms/libqwayland-generic.so");
    if (!QFileInfo::exists(plugin)) return false;
    const std::string path =
        name.front() == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool opened =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return opened;
}

} // namespace

std::string displayProblem() {
    if (!environment("QT_QPA_PLATFORM").empty()) return {};
    if (xDisplayOpens() || waylandDisplayOpens()) return {};
    const std::string display = environment("DISPLAY");
    if (display.empty())
        return "torvelo: ディスプレイを開けません。DISPLAY が設定されていません "
               "(cannot open display: DISPLAY is not set)";
    return "torvelo: ディスプレイ " + display + " を開けません (cannot open display " + display +
           ")";
}

// In a Wayland session Qt takes its Wayland plugin whenever WAYLAND_DISPLAY is
// set, and there the compositor places the window where it likes and Qt 6.4
// rings no bell. Through XWayland the window stands where the game puts it,
// its size limit holds and the bell rings; and without Qt's Wayland plugin
// installed, the X-first choice spares a warning at every start.
void preferX11() {
    if (environment("QT_QPA_PLATFORM").empty()) setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
}

} // namespace torvelo
