#include "window/identity.h"

#include <QApplication>
#include <QIcon>

namespace torvelo {

void identifyTheGame() {
    // WM_CLASS is this name twice; the desktop entry's StartupWMClass says the
    // same, so the shell can match the window to its entry.
    QCoreApplication::setApplicationName(QStringLiteral("torvelo"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DESKTOP_ENTRY));
    const QIcon builtIn(QStringLiteral(":/icons/org.torvelo.Torvelo.svg"));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(DESKTOP_ENTRY), builtIn));
}

} // namespace torvelo
