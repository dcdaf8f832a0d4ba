// MAIN: the start-up sequence and the main loop.
#include "engine/game.h"
#include "text/clock.h"
#include "text/text.h"
#include "window/boxes.h"
#include "window/command_line.h"
#include "window/display.h"
#include "window/mainform.h"
#include "window/session.h"
#include "window/translations.h"

#include <QApplication>
#include <iostream>
#include <memory>
#include <new>

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

    // Qt is shown the program's name alone: the game takes no arguments, so
    // none can retitle, resize or re-platform its window.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    torvelo::useJapaneseQtTexts();
    // Logout, shutdown and a lost display close every window, as the player can.
    torvelo::SessionEnd sessionEnd([] { QApplication::closeAllWindows(); });

    std::unique_ptr<torvelo::MAINFORM> form;
    try {
        form = torvelo::MAINFORM::open();
    } catch (const torvelo::WindowNotOpened& failure) {
        torvelo::showWindowNotOpenedBox(failure.reason());
        return 1;
    }
    torvelo::SystemClock clock;
    torvelo::Game game(*form, clock);
    form->connectGame(game);

    try {
        form->DRAW_DIAGRAM();
        game.ORDER_BOARD();
        game.SCRAMBLE_COUNT = 6;
        form->setText("edit1", torvelo::NUMBER_TEXT(game.SCRAMBLE_COUNT));
        // Returns at once: the setting above queued the edit box's change event.
        form->WAIT_EVENT();
        game.NEW_PROBLEM();
        for (;;) {
            form->WAIT_EVENT();
            game.DISPATCH_EVENT();
        }
    } catch (const torvelo::GameEnded& ending) {
        if (ending.reason() == torvelo::GameEnded::Reason::Interrupted)
            torvelo::showInterruptedBox(form.get());
        return 0;
    } catch (const torvelo::WindowNotOpened& failure) {
        // No drawing surface to draw the diagram on.
        torvelo::showWindowNotOpenedBox(failure.reason());
        return 1;
    } catch (const torvelo::FatalError& error) {
        // The game failed, so the status says so; the box tells the player why.
        torvelo::showFatalErrorBox(form.get(), error.code());
        return 1;
    } catch (const std::bad_alloc&) {
        // What failed to fit has been let go while unwinding: the box fits.
        torvelo::showNotEnoughMemoryBox(form.get());
        return 1;
    }
}
