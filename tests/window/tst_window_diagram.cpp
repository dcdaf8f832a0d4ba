// The operation diagram on the window's persistent surface, and the copy menu.
#include "../support/diagram_lines.h"
#include "window/copy_menu.h"
#include "window/layout.h"
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <set>
#include <utility>

using namespace torvelo;
using torvelo::testing::DIAGRAM_LINES;
using torvelo::testing::Window;

namespace {

std::set<std::pair<int, int>> diagramPixels() {
    std::set<std::pair<int, int>> pixels;
    for (const auto& l : DIAGRAM_LINES)
        for (int x = l[0]; x <= l[2]; ++x)
            for (int y = l[1]; y <= l[3]; ++y)
                pixels.insert({x, y});
    return pixels;
}

// The band between the buttons and the history rows, under the ruler, where
// no control lies.
const QRect FREE_AREA(QPoint(121, 99), QPoint(373, 340));

bool black(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0;
}
bool white(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

// Every pixel of the area in the image is black exactly where a line passes
// and white elsewhere; says where it is not.
QString mismatch(const QImage& image, const QRect& area) {
    const auto lines = diagramPixels();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool onLine = lines.count({x, y}) > 0;
            const QRgb pixel = image.pixel(x, y);
            if (onLine ? !black(pixel) : !white(pixel))
                return QString("pixel (%1, %2) is %3").arg(x).arg(y).arg(pixel & 0xFFFFFF, 6, 16);
        }
    }
    return QString();
}

int blackPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += black(image.pixel(x, y));
    return count;
}

// The entries of the menu that a right click on a widget opens, then the menu
// closed again; with `trigger`, the copy entry of that text is chosen instead.
QStringList rightClick(QWidget* target, const QString& trigger = QString()) {
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions()) {
            entries << action->text();
            if (QMenu* sub = action->menu()) {
                for (QAction* entry : sub->actions()) {
                    entries << "  " + entry->text();
                    if (entry->text() == trigger) entry->trigger();
                }
            }
        }
        menu->close();
    });
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QTest::qWait(20); // for a widget that opens no menu, let the check run
    return entries;
}

} // namespace

class TestWindowDiagram : public QObject {
    Q_OBJECT

  private slots:
    void diagramSurvives_data();
    void diagramSurvives();
    void endPointsBelongToTheLines();
    void surfaceHoldsTheDiagramOnWhite();
    void copyMenuWhereTheWindowIs_data();
    void copyMenuWhereTheWindowIs();
    void copyText();
    void copyPicture();
    void textLayerForClipboard_data();
    void textLayerForClipboard();
};

void TestWindowDiagram::diagramSurvives_data() {
    QTest::addColumn<QString>("action");
    for (const char* action :
         {"nothing", "hide and show", "minimise and restore", "shrink and enlarge", "a whole game"})
        QTest::newRow(action) << action;
}

void TestWindowDiagram::diagramSurvives() {
    QFETCH(QString, action);
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.startUp();

    if (action == "hide and show") {
        w.form.hide();
        w.form.show();
    } else if (action == "minimise and restore") {
        w.form.showMinimized();
        w.form.showNormal();
    } else if (action == "shrink and enlarge") {
        w.form.resize(200, 150);
        QCOMPARE(w.form.grab().size(), QSize(200, 150));
        w.form.resize(2000, 2000); // held at the client area's size
    } else if (action == "a whole game") {
        for (const char* button : {"BUTTON1", "BUTTON3", "BUTTON7", "BUTTON8", "BUTTON6"}) {
            w.click(button);
            w.turn();
        }
    }
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    const QImage image = w.form.grab().toImage();
    QCOMPARE(image.size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
    const QString wrong = mismatch(image, FREE_AREA);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(blackPixels(image.copy(FREE_AREA)), 1220);
}

void TestWindowDiagram::endPointsBelongToTheLines() {
    Window w;
    w.form.DRAW_DIAGRAM();
    const QImage& s = w.form.surface();
    int side = 0;
    for (int y = 95; y <= 125; ++y)
        side += black(s.pixel(180, y));
    QCOMPARE(side, 21); // from y 100 to y 120, both included
    QVERIFY(white(s.pixel(180, 99)) && black(s.pixel(180, 100)) && black(s.pixel(180, 120)));
    QVERIFY(white(s.pixel(180, 121)));
    int bottom = 0;
    for (int x = 170; x <= 210; ++x)
        bottom += black(s.pixel(x, 120));
    QCOMPARE(bottom, 23); // from x 180 to x 202
}

void TestWindowDiagram::surfaceHoldsTheDiagramOnWhite() {
    Window w;
    QCOMPARE(w.form.surface().size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
    QCOMPARE(blackPixels(w.form.surface()), 0); // white from creation
    w.form.DRAW_DIAGRAM();
    const QString wrong = mismatch(w.form.surface(), w.form.surface().rect());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void TestWindowDiagram::copyMenuWhereTheWindowIs_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("copyMenu");
    QTest::newRow("the free area") << "" << true;
    QTest::newRow("a label") << "TEXT16" << true;
    QTest::newRow("a history row") << "TEXT15" << true;
    QTest::newRow("a button") << "BUTTON1" << false;
    QTest::newRow("the edit box") << "EDIT1" << false;
}

void TestWindowDiagram::copyMenuWhereTheWindowIs() {
    QFETCH(QString, where);
    QFETCH(bool, copyMenu);
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QWidget* target = where.isEmpty() ? &w.form : w.control(qPrintable(where));
    const QStringList entries = rightClick(target);
    const QStringList copy = {"コピー(&Y)", "  テキスト(&T)", "  テキスト/グラフィック(&M)"};
    if (copyMenu)
        QCOMPARE(entries, copy);
    else
        QVERIFY2(!entries.contains(copy[0]), qPrintable(entries.join('|')));
    if (where == "EDIT1") QVERIFY(!entries.isEmpty()); // the edit box's own menu
    QCOMPARE(w.form.pendingEvents(), std::size_t(0));
}

void TestWindowDiagram::copyText() {
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.form.DRAW_DIAGRAM();
    QApplication::clipboard()->setText("something else");
    rightClick(&w.form, "テキスト(&T)");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasText());
    QCOMPARE(data->text(), QString()); // the text layer is blank
}

void TestWindowDiagram::copyPicture() {
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.startUp(); // labels and buttons are no part of the picture
    QApplication::clipboard()->clear();
    rightClick(w.control("TEXT11"), "テキスト/グラフィック(&M)");
    const QImage image = QApplication::clipboard()->image();
    QCOMPARE(image.size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
    const QString wrong = mismatch(image, image.rect());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(blackPixels(image), 1220);
}

void TestWindowDiagram::textLayerForClipboard_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("the game's blank layer")
        << QStringList(GRID_ROWS, QString(GRID_COLUMNS, ' ')) << QString();
    QTest::newRow("trailing blanks cut, blank rows left out")
        << QStringList{"ab  ", "    ", " c", ""} << QString("ab\r\n c\r\n");
}

void TestWindowDiagram::textLayerForClipboard() {
    QFETCH(QStringList, rows);
    QFETCH(QString, text);
    QCOMPARE(torvelo::textLayerForClipboard(rows), text);
}

QTEST_MAIN(TestWindowDiagram)
#include "tst_window_diagram.moc"
