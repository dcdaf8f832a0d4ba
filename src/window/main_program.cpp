#include "window/main_program.h"

#include "engine/game.h"
#include "text/clock.h"
#include "window/boxes.h"
#include "window/mainform.h"

#include <new>

namespace torvelo {

int MAIN(const WindowOpener& openWindow) {
    std::unique_ptr<MAINFORM> form;
    try {
        form = openWindow();
    } catch (const WindowNotOpened& failure) {
        showWindowNotOpenedBox(failure.reason());
        return 1;
    }
    SystemClock clock;
    Game game(*form, clock);
    form->connectGame(game);

    try {
        game.START_UP();
        for (;;) {
            form->WAIT_EVENT();
            game.DISPATCH_EVENT();
        }
    } catch (const GameEnded& ending) {
        if (ending.reason() == GameEnded::Reason::Interrupted) showInterruptedBox(form.get());
        return 0;
    } catch (const FatalError& error) {
        // The game failed, so the status says so; the box tells the player why.
        showFatalErrorBox(form.get(), error.code());
        return 1;
    } catch (const std::bad_alloc&) {
        // What failed to fit has been let go while unwinding: the box fits.
        showNotEnoughMemoryBox(form.get());
        return 1;
    }
}

} // namespace torvelo
