// The window on a scaled desktop. CTest runs this at several scales (through
// QT_SCALE_FACTOR, or a screen whose logical resolution asks for one) and names
// the scale it expects in TORVELO_EXPECTED_SCALE; every check holds at each.
#include "../support/diagram_lines.h"
#include "window/layout.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

using namespace torvelo;
using torvelo::testing::DIAGRAM_LINES;
using torvelo::testing::Window;

namespace {

// The band between the buttons and the history rows, in logical pixels.
const QRect FREE_AREA(QPoint(121, 99), QPoint(373, 340));

// Cell k's column, 136 + 22k, for k = 1 to 9.
const int COLUMNS[9] = {158, 180, 202, 224, 246, 268, 290, 312, 334};

qreal expectedScale() {
    bool ok = false;
    const qreal scale = qEnvironmentVariable("TORVELO_EXPECTED_SCALE").toDouble(&ok);
    return ok ? scale : 1.0;
}

bool isBlack(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0;
}
bool isWhite(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

// The device pixels of a widget as it is drawn on screen.
QImage deviceImage(QWidget* widget) {
    return widget->grab().toImage();
}

// The smallest rectangle, in device pixels, holding every pixel for which
// `ink` holds; null when there is none.
template <typename Ink>
QRect inkBounds(const QImage& image, const QRect& area, Ink ink) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect deviceRect(const QRect& logical, qreal scale) {
    return QRect(QPoint(qRound(logical.left() * scale), qRound(logical.top() * scale)),
                 QPoint(qRound((logical.right() + 1) * scale) - 1,
                        qRound((logical.bottom() + 1) * scale) - 1));
}

} // namespace

class TestWindowScale : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void windowScalesAsAWhole();
    void diagramStaysSolid();
    void rulerNumbersTheColumns();
    void captionsGrowWithTheScale_data();
    void captionsGrowWithTheScale();
};

void TestWindowScale::initTestCase() {
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    // A run that silently fell back to scale 1 would prove nothing.
    QCOMPARE(w.form.devicePixelRatioF(), expectedScale());
}

// Geometry and font heights stay logical; the device pixels grow with the
// scale. Font heights come from the logical resolution, never from the
// monitor's size: the offscreen screen reports 100 physical dots per inch.
void TestWindowScale::windowScalesAsAWhole() {
    const qreal scale = expectedScale();
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QCOMPARE(w.form.size(), QSize(640, 468));
    QCOMPARE(w.form.grab().toImage().size(), QSize(qRound(640 * scale), qRound(468 * scale)));
    const std::map<int, int> pixels = {{10, 13}, {12, 16}, {13, 17}, {14, 19}, {16, 21}};
    for (const ControlSpec& spec : LAYOUT)
        QCOMPARE(w.control(spec.name.data())->font().pixelSize(), pixels.at(spec.points));
}

// Drawn at the device pixel ratio, not a small bitmap stretched: only black
// and white, every line of one thickness, and at a whole scale n each logical
// pixel is an n x n block.
void TestWindowScale::diagramStaysSolid() {
    const qreal scale = expectedScale();
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.form.DRAW_DIAGRAM();
    const QImage image = deviceImage(&w.form);
    const QRect band = deviceRect(FREE_AREA, scale);

    std::set<std::pair<int, int>> onLine;
    for (const auto& l : DIAGRAM_LINES)
        for (int x = l[0]; x <= l[2]; ++x)
            for (int y = l[1]; y <= l[3]; ++y)
                onLine.insert({x, y});

    int black = 0;
    for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            QVERIFY2(isBlack(pixel) || isWhite(pixel),
                     qPrintable(QString("grey at device (%1, %2)").arg(x).arg(y)));
            black += isBlack(pixel);
            const int n = qRound(scale);
            if (scale == n) {
                const bool expected = onLine.count({x / n, y / n}) > 0;
                QVERIFY2(isBlack(pixel) == expected,
                         qPrintable(QString("device (%1, %2)").arg(x).arg(y)));
            }
        }
    }
    if (scale == 2) QCOMPARE(black, 4880);

    // Across each line at its middle, the same number of black pixels.
    std::set<int> thicknesses;
    for (const auto& l : DIAGRAM_LINES) {
        const bool vertical = l[0] == l[2];
        const int mx = qRound((l[0] + l[2]) / 2.0 * scale);
        const int my = qRound((l[1] + l[3]) / 2.0 * scale);
        int across = 0;
        for (int d = -4 * qCeil(scale); d <= 4 * qCeil(scale); ++d)
            across += isBlack(vertical ? image.pixel(mx + d, my) : image.pixel(mx, my + d));
        thicknesses.insert(across);
    }
    QCOMPARE(thicknesses.size(), std::size_t(1));
    QVERIFY(*thicknesses.begin() >= 1);
}

// Each of the ruler's nine numbers stands over its cell's column, while the
// label's text, and what a screen reader reads, stay as they are.
void TestWindowScale::rulerNumbersTheColumns() {
    const qreal scale = expectedScale();
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    auto* ruler = qobject_cast<QLabel*>(w.control("TEXT2"));
    QCOMPARE(ruler->text(), QStringLiteral("１ 2 3 4 5 6 7 8 9"));
    QCOMPARE(QAccessible::queryAccessibleInterface(ruler)->text(QAccessible::Name),
             QStringLiteral("１ 2 3 4 5 6 7 8 9"));
    QVERIFY(w.form.text("TEXT2") == "\x82\x50 2 3 4 5 6 7 8 9");

    const QImage image = deviceImage(ruler);
    const QRgb background = image.pixel(0, 0);
    std::vector<bool> inkColumn(static_cast<std::size_t>(image.width()), false);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != background) inkColumn[static_cast<std::size_t>(x)] = true;

    // Runs of columns with ink, one per number; each run's middle in logical
    // pixels of the client area, as a pixel index like the diagram's columns.
    QList<qreal> centres;
    for (int x = 0; x < image.width();) {
        if (!inkColumn[static_cast<std::size_t>(x)]) {
            ++x;
            continue;
        }
        const int first = x;
        while (x < image.width() && inkColumn[static_cast<std::size_t>(x)])
            ++x;
        centres << ruler->x() + (first + x) / 2.0 / scale - 0.5;
    }
    QCOMPARE(centres.size(), 9);
    for (int k = 0; k < 9; ++k)
        QVERIFY2(std::abs(centres[k] - COLUMNS[k]) <= 2,
                 qPrintable(QString("number %1 stands at %2, its column at %3")
                                .arg(k + 1)
                                .arg(centres[k])
                                .arg(COLUMNS[k])));
}

void TestWindowScale::captionsGrowWithTheScale_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"TEXT1", "TEXT2", "TEXT3", "TEXT16", "TEXT18", "BUTTON1", "BUTTON2",
                             "BUTTON3", "BUTTON4", "BUTTON5", "BUTTON6", "BUTTON7", "BUTTON8"})
        QTest::newRow(name) << name;
}

// A caption's ink is as large as its face says at its logical size, times the
// scale, and stays inside its box: nothing is cut off at any scale.
void TestWindowScale::captionsGrowWithTheScale() {
    QFETCH(QString, name);
    const qreal scale = expectedScale();
    Window w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QWidget* widget = w.control(qPrintable(name));
    const QImage image = deviceImage(widget);
    const bool button = qobject_cast<QPushButton*>(widget) != nullptr;

    // Buttons draw their own frame and shading; their caption is the black
    // ink inside it. Labels are flat: ink is whatever is not background.
    const QRect inside = button ? image.rect().adjusted(qCeil(2 * scale), qCeil(2 * scale),
                                                        -qCeil(2 * scale), -qCeil(2 * scale))
                                : image.rect();
    const QRgb background = image.pixel(0, 0);
    const QRect ink = inkBounds(image, inside, [&](QRgb pixel) {
        if (!button) return pixel != background;
        return qRed(pixel) < 0x60 && qGreen(pixel) < 0x60 && qBlue(pixel) < 0x60;
    });
    QVERIFY(!ink.isNull());

    const QString caption = qobject_cast<QLabel*>(widget)
                                ? qobject_cast<QLabel*>(widget)->text()
                                : qobject_cast<QPushButton*>(widget)->text();
    const QRectF designed = QFontMetricsF(widget->font()).tightBoundingRect(caption.trimmed());
    QVERIFY2(std::abs(ink.height() / scale - designed.height()) <= 2,
             qPrintable(QString("ink %1 high, the face says %2")
                            .arg(ink.height() / scale)
                            .arg(designed.height())));
    if (name != "TEXT2") // the ruler's numbers are spread over the columns
        QVERIFY2(std::abs(ink.width() / scale - designed.width()) <= 2,
                 qPrintable(QString("ink %1 wide, the face says %2")
                                .arg(ink.width() / scale)
                                .arg(designed.width())));
    // Not cut off: the ink ends before the box (or the button's frame) does.
    // Labels start their text at their left edge; a button centres it.
    QVERIFY(ink.right() < inside.right() && ink.bottom() < inside.bottom());
    if (button) QVERIFY(ink.left() > inside.left() && ink.top() > inside.top());
}

QTEST_MAIN(TestWindowScale)
#include "tst_window_scale.moc"
