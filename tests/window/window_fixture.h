// A window with a game behind it, as MAIN makes them, on a clock that always
// reads 00:00:00 so that problems are known in advance.
#pragma once

#include "../support/fake_controls.h"
#include "../support/rows.h"
#include "engine/game.h"
#include "text/text.h"
#include "window/mainform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

namespace torvelo::testing {

struct Window {
    FakeClock clock;
    MAINFORM form;
    Game game{form, clock};

    Window() { form.connectGame(game); }

    QWidget* control(const char* name) const {
        QWidget* widget = form.control(name);
        if (!widget) qFatal("no control %s", name);
        return widget;
    }

    // What the control shows, as Qt was handed it.
    QString shown(const char* name) const {
        QWidget* widget = control(name);
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
        if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
        return qobject_cast<QLineEdit*>(widget)->text();
    }

    // A real click, through Qt's mouse events.
    void click(const char* name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

    // One turn of the main loop.
    void turn() {
        form.WAIT_EVENT();
        game.DISPATCH_EVENT();
    }

    // MAIN's start-up sequence.
    void startUp() { game.START_UP(); }

    // "1 2 3 4 5 6 7 8 9" for the board's cells, to compare with rows as written.
    std::string row() const {
        std::string out;
        for (int i = 1; i <= 9; ++i) {
            if (i > 1) out += ' ';
            out += std::to_string(game.board()[static_cast<std::size_t>(i)]);
        }
        return out;
    }
};

// The window shown and active, ready for input; false if it never got there.
inline bool shownAndActive(Window& w) {
    w.form.show();
    w.form.activateWindow();
    return QTest::qWaitForWindowActive(&w.form);
}

} // namespace torvelo::testing
