// MAIN from the window opening to the exit status, with a window opener of
// the test's choosing: every way the game ends, its box and its status.
#include "window/main_program.h"
#include "window/mainform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace torvelo;

namespace {

using Act = std::function<void(MAINFORM&)>;

// Runs MAIN with a window that, once the game is waiting, gets `act`; any box
// the game then shows is read and dismissed with a key, as a player would.
struct Run {
    int status = -1;
    QString box; // the texts of the box shown, if any

    Run(const WindowOpener& opener) {
        QTimer dismisser;
        QObject::connect(&dismisser, &QTimer::timeout, [this] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!shown || !shown->isVisible()) return;
            for (QLabel* label : shown->findChildren<QLabel*>())
                box += label->text() + "\n";
            QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown, Qt::Key_A);
        });
        dismisser.start(20);
        status = MAIN(opener);
    }
};

// The real window, acted upon once the first problem is on it.
WindowOpener realWindow(Act act) {
    return [act] {
        std::unique_ptr<MAINFORM> form = MAINFORM::open();
        QTimer::singleShot(50, form.get(), [form = form.get(), act] { act(*form); });
        return form;
    };
}

WindowOpener failingWindow(WindowNotOpened::Reason reason) {
    return [reason]() -> std::unique_ptr<MAINFORM> { throw WindowNotOpened(reason); };
}

} // namespace

class TestWindowMain : public QObject {
    Q_OBJECT
  private slots:
    void endings_data();
    void endings();
};

void TestWindowMain::endings_data() {
    QTest::addColumn<WindowOpener>("opener");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("status");
    QTest::newRow("closed") << realWindow([](MAINFORM& form) { form.close(); }) << QString() << 0;
    QTest::newRow("interrupted") << realWindow([](MAINFORM& form) {
        form.setFocus();
        QTest::keyClick(form.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    }) << "中断しました" << 0;
    QTest::newRow("a count beyond single precision") << realWindow([](MAINFORM& form) {
        qobject_cast<QLineEdit*>(form.control("EDIT1"))->setText(QString(40, u'9'));
    }) << "[6]" << 1;
    QTest::newRow("the window cannot be opened")
        << failingWindow(WindowNotOpened::Reason::CannotOpen) << "ウィンドウをオープンできません"
        << 1;
    QTest::newRow("no memory for the window")
        << failingWindow(WindowNotOpened::Reason::NotEnoughMemory) << "メモリが足りません" << 1;
    QTest::newRow("no drawing surface")
        << failingWindow(WindowNotOpened::Reason::SystemTrouble) << "システムに異常があります" << 1;
}

void TestWindowMain::endings() {
    QFETCH(WindowOpener, opener);
    QFETCH(QString, box);
    QFETCH(int, status);
    const Run run(opener);
    QCOMPARE(run.status, status);
    if (box.isEmpty())
        QCOMPARE(run.box, QString());
    else
        QVERIFY2(run.box.contains(box), qPrintable(run.box));
}

QTEST_MAIN(TestWindowMain)
#include "tst_window_main.moc"
