// The boxes the game ends with: title, icon, texts, and "press any key".
#include "window/boxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace torvelo;

class TestWindowBoxes : public QObject {
    Q_OBJECT

  private slots:
    void boxes_data();
    void boxes();
};

void TestWindowBoxes::boxes_data() {
    QTest::addColumn<std::function<void()>>("show");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("interrupted") << std::function<void()>([] { showInterruptedBox(nullptr); })
                                 << QStringList{"中断しました", "任意のキーを押してください"};
    QTest::newRow("overflow") << std::function<void()>([] { showFatalErrorBox(nullptr, 6); })
                              << QStringList{"エラー", "[6]"};
    QTest::newRow("illegal argument")
        << std::function<void()>([] { showFatalErrorBox(nullptr, 5); })
        << QStringList{"エラー", "[5]"};
    QTest::newRow("window not opened") << std::function<void()>([] {
        showWindowNotOpenedBox(WindowNotOpened::Reason::CannotOpen);
    }) << QStringList{"ウィンドウをオープンできません"};
    QTest::newRow("no drawing surface") << std::function<void()>([] {
        showWindowNotOpenedBox(WindowNotOpened::Reason::SystemTrouble);
    }) << QStringList{"システムに異常があります"};
}

void TestWindowBoxes::boxes() {
    QFETCH(std::function<void()>, show);
    QFETCH(QStringList, texts);
    QString title, shown;
    bool warning = false, openAfterCtrl = false, closedByKey = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        warning = box->icon() == QMessageBox::Warning;
        for (QLabel* label : box->findChildren<QLabel*>())
            shown += label->text() + "\n";
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        // The Ctrl still held from Ctrl+C is no key press of its own, and the
        // C held down repeats without dismissing the box.
        QTest::keyPress(target, Qt::Key_Control);
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"),
                           true);
        QApplication::sendEvent(target, &repeated);
        openAfterCtrl = box->isVisible();
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_A);
        closedByKey = !box->isVisible();
        box->close(); // so that a box the key left open fails the test, not hangs it
    });
    show(); // returns once a key has dismissed the box
    QCOMPARE(title, QString("tst_window_boxes.EXE"));
    QVERIFY(warning);
    for (const QString& text : texts)
        QVERIFY2(shown.contains(text), qPrintable(shown));
    QVERIFY(openAfterCtrl);
    QVERIFY(closedByKey);
}

QTEST_MAIN(TestWindowBoxes)
#include "tst_window_boxes.moc"
