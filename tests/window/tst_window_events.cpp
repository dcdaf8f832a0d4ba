// The window's input: the event queue and its wait, work that keeps the window
// alive, the endings, keyboard focus, and the edit box's digit filter.
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTimer>
#include <vector>

using torvelo::code;
using torvelo::Event;
using torvelo::GameEnded;
using torvelo::testing::Window;

namespace {

enum class Ending { None, Closed, Interrupted };

// Runs a wait or a piece of work and says how it ended.
template <typename Run>
Ending endingOf(Run run) {
    try {
        run();
    } catch (const GameEnded& ended) {
        return ended.reason() == GameEnded::Reason::Closed ? Ending::Closed : Ending::Interrupted;
    }
    return Ending::None;
}

// Keys go to the window as the system delivers them, so Qt routes them to
// whichever widget has the focus.
void key(Window& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(w.form.windowHandle(), key, modifiers);
}

} // namespace

class TestWindowEvents : public QObject {
    Q_OBJECT
  private slots:
    void oneHandlerPerWait();
    void queueHoldsSixtyFour();
    void queueGoesRoundAndRound();
    void waitSleepsUntilAnEvent();
    void workQueuesInputAndRunsNoHandler();
    void endings_data();
    void endings();
    void tabCycle_data();
    void tabCycle();
    void ctrlTabMovesNothing_data();
    void ctrlTabMovesNothing();
    void arrowsMoveNothing();
    void keyPressesButtonOnRelease_data();
    void keyPressesButtonOnRelease();
    void functionKeysPressTheirButtons_data();
    void functionKeysPressTheirButtons();
    void heldFunctionKeyRepeatsAsThePlatformDoes();
    void functionKeysWithModifiersAreTheDesktops();
    void windowTakesFocus_data();
    void windowTakesFocus();
    void digitFilter_data();
    void digitFilter();
    void inputMethodCommitsDigitsOnly();
    void pasteGoesInUnchanged();
};

void TestWindowEvents::oneHandlerPerWait() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    w.form.setText("EDIT1", " 6");
    w.click("BUTTON3");
    w.click("BUTTON6");
    w.click("BUTTON1");
    // Queued only: no handler has touched the game yet.
    QCOMPARE(w.form.pendingEvents(), std::size_t(4));
    QCOMPARE(w.game.eventCode(), code(Event::None));
    QCOMPARE(w.row(), "1 2 3 4 5 6 7 8 9");

    struct Turn {
        float code;
        std::string row;
    };
    const std::vector<Turn> turns = {{code(Event::CountEdited), "1 2 3 4 5 6 7 8 9"},
                                     {code(Event::OperationF3), "1 2 3 4 8 7 6 5 9"},
                                     {code(Event::NewProblemAsked), "1 2 3 4 8 7 6 5 9"},
                                     {code(Event::OperationF1), "4 3 2 1 8 7 6 5 9"}};
    for (const Turn& turn : turns) {
        w.game.EVENT_ON(Event::None);
        w.form.WAIT_EVENT();
        QCOMPARE(w.game.eventCode(), turn.code);
        QCOMPARE(w.row(), turn.row);
    }
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

void TestWindowEvents::queueHoldsSixtyFour() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    for (int i = 0; i < 63; ++i)
        w.click("BUTTON1");
    w.click("BUTTON2");
    for (int i = 0; i < 6; ++i)
        w.click("BUTTON3"); // no room: dropped
    QCOMPARE(w.form.pendingEvents(), std::size_t(64));

    std::vector<float> codes;
    while (w.form.pendingEvents() > 0) {
        w.form.WAIT_EVENT();
        codes.push_back(w.game.eventCode());
    }
    std::vector<float> expected(63, code(Event::OperationF1));
    expected.push_back(code(Event::OperationF2));
    QCOMPARE(codes, expected);
}

// The queue is a ring: hundreds of events pass through it, 64 waiting at the
// most, each in its turn.
void TestWindowEvents::queueGoesRoundAndRound() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    std::vector<float> pressed, handled;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 50 + round; ++i) {
            const int n = 1 + (round * 7 + i) % 5;
            w.click(qPrintable(QStringLiteral("BUTTON%1").arg(n)));
            pressed.push_back(float(n));
        }
        while (w.form.pendingEvents() > 0) {
            w.form.WAIT_EVENT();
            handled.push_back(w.game.eventCode());
        }
    }
    QCOMPARE(handled.size(), std::size_t(260));
    QCOMPARE(handled, pressed);
}

void TestWindowEvents::waitSleepsUntilAnEvent() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    // Label clicks, focus moves and resizing have no handler and end no wait.
    QTimer::singleShot(10, &w.form, [&w] {
        w.click("TEXT15");
        w.form.resize(300, 200);
        w.control("BUTTON2")->setFocus();
    });
    QTimer::singleShot(50, &w.form, [&w] { w.click("BUTTON5"); });
    w.form.WAIT_EVENT();
    QCOMPARE(w.game.eventCode(), code(Event::OperationF5));
    QCOMPARE(w.row(), "9 8 3 4 5 6 7 2 1");
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

namespace {
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

// While the engine works the window repaints and queues clicks and edits, but
// runs no handler; the input is handled afterwards in the order made.
void TestWindowEvents::workQueuesInputAndRunsNoHandler() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    PaintCounter counter;
    w.control("TEXT17")->installEventFilter(&counter);
    w.form.setText("TEXT17", " 1");
    QTimer::singleShot(0, &w.form, [&w] {
        w.click("BUTTON2");
        w.click("BUTTON3");
        QTest::keyClick(w.control("EDIT1"), Qt::Key_7);
    });
    w.form.keepResponsive();
    QVERIFY(counter.paints > 0);
    QCOMPARE(w.form.pendingEvents(), std::size_t(3));
    QCOMPARE(w.game.eventCode(), code(Event::None));
    QCOMPARE(w.row(), "1 2 3 4 5 6 7 8 9");

    for (Event event : {Event::OperationF2, Event::OperationF3, Event::CountEdited}) {
        w.form.WAIT_EVENT();
        QCOMPARE(w.game.eventCode(), code(event));
    }
}

void TestWindowEvents::endings_data() {
    QTest::addColumn<QString>(
        "focus");                     // a control, "click" on the window, or as activation left it
    QTest::addColumn<QString>("act"); // "close", "ctrl-c", "ctrl-alt-c" or "ctrl-meta-c"
    QTest::addColumn<bool>("working");
    QTest::addColumn<int>("ending");
    const int none = int(Ending::None), closed = int(Ending::Closed);
    const int interrupted = int(Ending::Interrupted);
    QTest::newRow("close while waiting") << ""
                                         << "close" << false << closed;
    QTest::newRow("close while working") << ""
                                         << "close" << true << closed;
    QTest::newRow("Ctrl+C right after start") << ""
                                              << "ctrl-c" << false << interrupted;
    QTest::newRow("Ctrl+C on the window while working") << ""
                                                        << "ctrl-c" << true << interrupted;
    QTest::newRow("Ctrl+C after a click on the window") << "click"
                                                        << "ctrl-c" << false << interrupted;
    QTest::newRow("Ctrl+Alt+C is another key") << ""
                                               << "ctrl-alt-c" << false << none;
    QTest::newRow("Ctrl+Meta+C is another key") << ""
                                                << "ctrl-meta-c" << false << none;
    QTest::newRow("Ctrl+C on a button") << "BUTTON2"
                                        << "ctrl-c" << false << none;
    QTest::newRow("Ctrl+C in the edit box") << "EDIT1"
                                            << "ctrl-c" << false << none;
}

void TestWindowEvents::endings() {
    QFETCH(QString, focus);
    QFETCH(QString, act);
    QFETCH(bool, working);
    QFETCH(int, ending);
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    // At 0 ms the timer fires inside the work's own processing of messages.
    QTimer::singleShot(working ? 0 : 10, &w.form, [&] {
        if (focus == "click")
            QTest::mouseClick(&w.form, Qt::LeftButton, {}, QPoint(600, 400));
        else if (!focus.isEmpty())
            w.control(qPrintable(focus))->setFocus();
        if (act == "close") w.form.close();
        if (act == "ctrl-c") key(w, Qt::Key_C, Qt::ControlModifier);
        if (act == "ctrl-alt-c") key(w, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
        if (act == "ctrl-meta-c") key(w, Qt::Key_C, Qt::ControlModifier | Qt::MetaModifier);
        // A wait that was not ended returns on the next press.
        if (!working) w.click("BUTTON4");
    });
    const Ending ended = working ? endingOf([&w] { w.form.keepResponsive(); })
                                 : endingOf([&w] { w.form.WAIT_EVENT(); });
    QCOMPARE(int(ended), ending);
    if (ended == Ending::None) QCOMPARE(w.game.eventCode(), code(Event::OperationF4));
}

void TestWindowEvents::tabCycle_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QStringList>("order");
    const QStringList forward = {"BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5", "BUTTON6",
                                 "BUTTON7", "EDIT1",   "BUTTON8", "window",  "BUTTON1"};
    QStringList backward = forward;
    std::reverse(backward.begin(), backward.end());
    QTest::newRow("Tab") << Qt::Key_Tab << forward;
    QTest::newRow("Shift+Tab") << Qt::Key_Backtab << backward;
}

void TestWindowEvents::tabCycle() {
    QFETCH(Qt::Key, key);
    QFETCH(QStringList, order);
    Window w;
    QVERIFY(shownAndActive(w));
    const auto widgetNamed = [&w](const QString& name) {
        return name == "window" ? static_cast<QWidget*>(&w.form) : w.control(qPrintable(name));
    };
    widgetNamed(order.front())->setFocus();
    for (const QString& next : order.mid(1)) {
        ::key(w, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget(), widgetNamed(next));
    }
}

void TestWindowEvents::ctrlTabMovesNothing_data() {
    QTest::addColumn<QString>("from");
    QTest::newRow("edit box") << "EDIT1";
    QTest::newRow("window") << "window";
    QTest::newRow("button") << "BUTTON8";
}

void TestWindowEvents::ctrlTabMovesNothing() {
    QFETCH(QString, from);
    Window w;
    QVERIFY(shownAndActive(w));
    QWidget* start = from == "window" ? &w.form : w.control(qPrintable(from));
    start->setFocus();
    key(w, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), start);
    key(w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), start);
}

// Only Tab and Shift+Tab move the focus; arrows on a button do nothing.
void TestWindowEvents::arrowsMoveNothing() {
    Window w;
    QVERIFY(shownAndActive(w));
    QWidget* button = w.control("BUTTON3");
    button->setFocus();
    for (Qt::Key arrow : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        key(w, arrow);
        QCOMPARE(QApplication::focusWidget(), button);
    }
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

void TestWindowEvents::keyPressesButtonOnRelease_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Space") << Qt::Key_Space << Qt::KeyboardModifiers();
    QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void TestWindowEvents::keyPressesButtonOnRelease() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    auto* button = qobject_cast<QPushButton*>(w.control("BUTTON7"));
    button->setFocus();
    QTest::keyPress(w.form.windowHandle(), key, modifiers);
    QVERIFY(button->isDown());
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
    QTest::keyRelease(w.form.windowHandle(), key, modifiers);
    QVERIFY(!button->isDown());
    QCOMPARE(w.form.pendingEvents(), std::size_t(1));
    w.form.WAIT_EVENT();
    QCOMPARE(w.game.eventCode(), code(Event::AnswerAsked));
}

void TestWindowEvents::functionKeysPressTheirButtons_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("row"); // the ordered row after that operation
    const struct {
        Qt::Key key;
        const char* row;
    } keys[] = {{Qt::Key_F1, "4 3 2 1 5 6 7 8 9"},
                {Qt::Key_F2, "1 5 4 3 2 6 7 8 9"},
                {Qt::Key_F3, "1 2 3 4 8 7 6 5 9"},
                {Qt::Key_F4, "1 2 3 4 5 9 8 7 6"},
                {Qt::Key_F5, "9 8 3 4 5 6 7 2 1"}};
    int n = 1;
    for (const auto& k : keys) {
        for (const char* focus : {"window", "BUTTON6", "EDIT1"})
            QTest::addRow("F%d, focus on %s", n, focus) << k.key << focus << k.row;
        ++n;
    }
}

// Exactly what a click does: one queued event whose handler applies the
// operation, the button shown pressed while the key is down, and nothing else
// touched, whichever control holds the focus.
void TestWindowEvents::functionKeysPressTheirButtons() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, focus);
    QFETCH(QString, row);
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    w.form.setText("EDIT1", " 6");
    w.form.WAIT_EVENT(); // the edit box's own change
    QWidget* holder = focus == "window" ? &w.form : w.control(qPrintable(focus));
    holder->setFocus();
    auto* button = qobject_cast<QPushButton*>(w.control(qPrintable(
        QStringLiteral("BUTTON%1").arg(static_cast<int>(key) - static_cast<int>(Qt::Key_F1) + 1))));

    QTest::keyPress(w.form.windowHandle(), key);
    QVERIFY(button->isDown());
    QCOMPARE(w.form.pendingEvents(), std::size_t(1));
    QTest::keyRelease(w.form.windowHandle(), key);
    QVERIFY(!button->isDown());
    QCOMPARE(w.form.pendingEvents(), std::size_t(1));

    w.turn();
    QCOMPARE(w.row(), row.toStdString());
    QCOMPARE(w.game.moveCount(), 1.0f);
    QCOMPARE(QApplication::focusWidget(), holder);
    QVERIFY(w.form.text("EDIT1") == " 6");
}

// Each press the platform repeats is one more click, and the queue's limit of
// 64 holds for keys as for the mouse.
void TestWindowEvents::heldFunctionKeyRepeatsAsThePlatformDoes() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.game.ORDER_BOARD();
    auto* button = qobject_cast<QPushButton*>(w.control("BUTTON2"));
    auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_F2, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&w.form, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < 70; ++i) {
        send(QEvent::KeyRelease, true);
        QVERIFY(button->isDown()); // still held
        send(QEvent::KeyPress, true);
    }
    send(QEvent::KeyRelease, false);
    QVERIFY(!button->isDown());
    QCOMPARE(w.form.pendingEvents(), std::size_t(64));
}

void TestWindowEvents::functionKeysWithModifiersAreTheDesktops() {
    Window w;
    QVERIFY(shownAndActive(w));
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::MetaModifier)})
        key(w, Qt::Key_F1, modifiers);
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

void TestWindowEvents::windowTakesFocus_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("toWindow");
    QTest::newRow("left click on a label") << "left TEXT16" << true;
    QTest::newRow("left click between controls") << "left window" << true;
    QTest::newRow("right click between controls") << "right window" << false;
    QTest::newRow("window activated again") << "activate" << true;
    QTest::newRow("activated by a click on the edit box") << "activate by click" << false;
}

void TestWindowEvents::windowTakesFocus() {
    QFETCH(QString, how);
    QFETCH(bool, toWindow);
    Window w;
    QVERIFY(shownAndActive(w));
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    if (how.startsWith("activate")) {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        // X11 may deliver a click's press before the activation it causes,
        // and its release after.
        if (how.endsWith("click")) QTest::mousePress(edit, Qt::LeftButton);
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        if (how.endsWith("click")) QTest::mouseRelease(edit, Qt::LeftButton);
    } else {
        const Qt::MouseButton button = how.startsWith("left") ? Qt::LeftButton : Qt::RightButton;
        if (how.endsWith("window"))
            QTest::mouseClick(&w.form, button, {}, QPoint(300, 200));
        else
            QTest::mouseClick(w.control(qPrintable(how.section(' ', 1))), button);
    }
    QCOMPARE(QApplication::focusWidget(), toWindow ? static_cast<QWidget*>(&w.form) : edit);
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

void TestWindowEvents::digitFilter_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("result");
    const Qt::KeyboardModifiers plain;
    // Every digit, from the main keys and from the keypad.
    for (int d = 0; d <= 9; ++d) {
        const auto digitKey = Qt::Key(Qt::Key_0 + d);
        const QString digit = QString::number(d);
        QTest::addRow("digit %d", d) << digitKey << digit << plain << " 6" + digit;
        QTest::addRow("keypad digit %d", d)
            << digitKey << digit << Qt::KeyboardModifiers(Qt::KeypadModifier) << " 6" + digit;
    }
    QTest::newRow("letter") << Qt::Key_A << "a" << plain << " 6";
    QTest::newRow("minus sign") << Qt::Key_Minus << "-" << plain << " 6";
    QTest::newRow("decimal point") << Qt::Key_Period << "." << plain << " 6";
    QTest::newRow("blank") << Qt::Key_Space << " " << plain << " 6";
    QTest::newRow("full-width digit") << Qt::Key_unknown << "１" << plain << " 6";
    QTest::newRow("backspace edits") << Qt::Key_Backspace << "\b" << plain << " ";
    QTest::newRow("select all is no typing")
        << Qt::Key_A << "\x01" << Qt::KeyboardModifiers(Qt::ControlModifier) << " 6";
}

void TestWindowEvents::digitFilter() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, typed);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, result);
    Window w;
    QVERIFY(shownAndActive(w));
    w.form.setText("EDIT1", " 6");
    const std::size_t before = w.form.pendingEvents();
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    QTest::sendKeyEvent(QTest::Click, edit, key, typed, modifiers);
    QCOMPARE(w.shown("EDIT1"), result);
    QVERIFY(w.form.text("EDIT1") == result.toStdString());
    // Each change of the text is one event of its own; a refused key is none.
    QCOMPARE(w.form.pendingEvents(), before + (result == " 6" ? 0 : 1));
}

void TestWindowEvents::inputMethodCommitsDigitsOnly() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.form.setText("EDIT1", " 6");
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    QInputMethodEvent mixed(QString(), {});
    mixed.setCommitString(QStringLiteral("1a２3"));
    QApplication::sendEvent(edit, &mixed);
    QCOMPARE(w.shown("EDIT1"), QStringLiteral(" 613"));

    QInputMethodEvent none(QString(), {});
    none.setCommitString(QStringLiteral("１２"));
    QApplication::sendEvent(edit, &none);
    QCOMPARE(w.shown("EDIT1"), QStringLiteral(" 613"));
}

void TestWindowEvents::pasteGoesInUnchanged() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.form.setText("EDIT1", " 6");
    const std::size_t before = w.form.pendingEvents();
    QGuiApplication::clipboard()->setText(QStringLiteral("-2.5 x７"));
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.shown("EDIT1"), QStringLiteral(" 6-2.5 x７"));
    QVERIFY(w.form.text("EDIT1") == " 6-2.5 x\x82\x56");
    QCOMPARE(w.form.pendingEvents(), before + 1);
}

QTEST_MAIN(TestWindowEvents)
#include "tst_window_events.moc"
