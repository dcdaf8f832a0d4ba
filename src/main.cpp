// The process around MAIN: the command line, the display, Qt and the session.
#include "window/command_line.h"
#include "window/display.h"
#include "window/identity.h"
#include "window/main_program.h"
#include "window/mainform.h"
#include "window/session.h"
#include "window/translations.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    switch (torvelo::commandLineRequest(argc, argv)) {
    case torvelo::Request::Help:
        std::cout << torvelo::helpText();
        return 0;
    case torvelo::Request::Version:
        std::cout << torvelo::versionText();
        return 0;
    case torvelo::Request::Play:
        break;
    }
    if (const std::string problem = torvelo::displayProblem(); !problem.empty()) {
        std::cerr << problem << '\n';
        return 1;
    }
    torvelo::preferX11();

    // Qt is shown the program's name alone: the game takes no arguments, so
    // none can retitle, resize or re-platform its window.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    torvelo::identifyTheGame();
    torvelo::useJapaneseQtTexts();
    // Logout, shutdown and a lost display close every window, as the player can.
    torvelo::SessionEnd sessionEnd([] { QApplication::closeAllWindows(); });
    return torvelo::MAIN(&torvelo::MAINFORM::open);
}
