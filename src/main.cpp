// MAIN: the start-up sequence and the main loop.
#include "engine/game.h"
#include "text/clock.h"
#include "text/text.h"
#include "window/boxes.h"
#include "window/mainform.h"
#include "window/translations.h"

#include <QApplication>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    torvelo::useJapaneseQtTexts();

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
    }
}
