// Whole games through real clicks and keys: the window, its queue and the
// engine together, as MAIN runs them.
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTimer>

using torvelo::code;
using torvelo::Event;
using torvelo::FatalError;
using torvelo::GameEnded;
using torvelo::Text;
using torvelo::testing::rowText;
using torvelo::testing::Window;

namespace {

const Text tenBlanks(10, ' ');
const Text correct = "   \x90\xB3\x89\xF0\x82\xC5\x82\xB7"; // "   正解です"

} // namespace

class TestWindowPlay : public QObject {
    Q_OBJECT
  private slots:
    void solveWithTheAnswer();
    void typedCountMakesTheNextProblem();
    void pastedOverflowIsFatal();
    void longScrambleKeepsTheWindowAlive();
    void closeEndsALongScramble();
    void visualBellFlashesTheCounter();
};

// With every draw at second 0 the first problem is 1 2 8 9 6 5 4 3 7, solved by
// the operations 3 4 3 1 5 1.
void TestWindowPlay::solveWithTheAnswer() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.startUp();
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
    QVERIFY(w.form.text("TEXT15") == rowText("1 2 8 9 6 5 4 3 7"));
    QVERIFY(w.form.text("TEXT11") == tenBlanks);
    QVERIFY(w.form.text("TEXT17") == " 0");
    QCOMPARE(w.shown("EDIT1"), QStringLiteral(" 6"));

    w.click("BUTTON7");
    w.turn();
    QCOMPARE(w.shown("TEXT5"), QStringLiteral("343151"));

    for (char digit : w.game.answerLog()) {
        const QByteArray button = "BUTTON" + QByteArray(1, digit);
        w.click(button.constData());
        w.turn();
    }
    QVERIFY(w.form.text("TEXT17") == " 6" + correct);
    QCOMPARE(w.shown("TEXT17"), QStringLiteral(" 6   正解です"));
    QCOMPARE(w.shown("TEXT4"), QStringLiteral("343151"));
    QVERIFY(w.form.text("TEXT15") == rowText("1 2 3 4 5 6 7 8 9"));
    QVERIFY(w.form.text("TEXT14") == rowText("4 3 2 1 5 6 7 8 9"));

    // Playing on from the solved row just counts.
    w.click("BUTTON1");
    w.turn();
    QVERIFY(w.form.text("TEXT17") == " 7");
}

void TestWindowPlay::typedCountMakesTheNextProblem() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.startUp();
    const Text problem = w.form.text("TEXT15");
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    // Each keystroke is a turn of its own that reads the whole text: " ", "", "2".
    const std::pair<Qt::Key, float> keystrokes[] = {
        {Qt::Key_Backspace, 0}, {Qt::Key_Backspace, 0}, {Qt::Key_2, 2}};
    for (const auto& [key, count] : keystrokes) {
        QTest::keyClick(edit, key);
        QCOMPARE(w.form.pendingEvents(), std::size_t(1));
        w.turn();
        QCOMPARE(w.game.eventCode(), code(Event::CountEdited));
        QCOMPARE(w.game.scrambleCount(), count);
    }
    // A typed count makes no problem by itself.
    QVERIFY(w.form.text("TEXT15") == problem);

    w.click("BUTTON6");
    w.turn();
    QCOMPARE(w.game.answerLog().size(), std::size_t(2));
    const Text twoStep = w.form.text("TEXT15");
    QVERIFY(twoStep != problem);

    w.click("BUTTON5");
    w.turn();
    w.click("BUTTON8");
    w.turn();
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14", "TEXT4"})
        QVERIFY2(w.form.text(row).empty(), row);
    QVERIFY(w.form.text("TEXT15") == twoStep);
    QVERIFY(w.form.text("TEXT17") == " 0");
}

void TestWindowPlay::pastedOverflowIsFatal() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.startUp();
    QWidget* edit = w.control("EDIT1");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("1e39"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(w.form.text("EDIT1") == "1e39");
    try {
        w.turn();
        QFAIL("a count beyond single precision went through");
    } catch (const FatalError& error) {
        QCOMPARE(error.code(), FatalError::Overflow);
    }
}

// 16,000,000 scramble steps: clicks made meanwhile wait in the queue and are
// handled afterwards, in order; the 16,000,000-digit answer shows at once.
void TestWindowPlay::longScrambleKeepsTheWindowAlive() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.startUp();
    w.form.setText("EDIT1", "16000000");
    w.turn();
    QCOMPARE(w.game.scrambleCount(), 16000000.0f);

    w.click("BUTTON6");
    QTimer::singleShot(0, &w.form, [&w] {
        w.click("BUTTON1");
        w.click("BUTTON2");
    });
    w.turn();
    QCOMPARE(w.game.answerLog().size(), std::size_t(16000000));
    QCOMPARE(w.form.pendingEvents(), std::size_t(2));
    QVERIFY(w.game.board() == w.game.startBoard());

    w.turn();
    w.turn();
    QVERIFY(w.form.text("TEXT4") == "12");

    w.click("BUTTON7");
    w.turn();
    QVERIFY(w.form.text("TEXT5") == w.game.answerLog());
    QVERIFY(w.shown("TEXT5").size() < 5000);
    QVERIFY(w.game.answerLog().starts_with(w.shown("TEXT5").toStdString()));
}

void TestWindowPlay::closeEndsALongScramble() {
    Window w;
    QVERIFY(shownAndActive(w));
    w.startUp();
    const auto problem = w.game.startBoard();
    w.form.setText("EDIT1", "16000000");
    w.turn();
    w.click("BUTTON6");
    QTimer::singleShot(0, &w.form, [&w] { w.form.close(); });
    try {
        w.turn();
        QFAIL("the close was not honoured");
    } catch (const GameEnded& ended) {
        QCOMPARE(ended.reason(), GameEnded::Reason::Closed);
    }
    // Ended mid-routine: the new problem was never finished.
    QVERIFY(w.game.startBoard() == problem);
    QVERIFY(w.game.answerLog().empty());
}

// Where the platform has no bell (Wayland), the alert is seen: the move
// counter in inverse colours for a moment, then its own colours again.
void TestWindowPlay::visualBellFlashesTheCounter() {
    Window w;
    QVERIFY(shownAndActive(w));
    QWidget* counter = w.control("TEXT17");
    const QColor blue(0, 0, 255), white(255, 255, 255);
    w.form.visualBell();
    QCOMPARE(counter->palette().color(QPalette::WindowText), white);
    QCOMPARE(counter->palette().color(QPalette::Window), blue);
    w.form.visualBell(); // a second alert while the first still shows
    QCOMPARE(counter->palette().color(QPalette::WindowText), white);
    QTRY_COMPARE(counter->palette().color(QPalette::WindowText), blue);
    QCOMPARE(counter->palette().color(QPalette::Window), white);
    QTest::qWait(300);
    QCOMPARE(counter->palette().color(QPalette::WindowText), blue);
}

QTEST_MAIN(TestWindowPlay)
#include "tst_window_play.moc"
