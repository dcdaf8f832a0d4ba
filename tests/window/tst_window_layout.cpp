// The built window against its layout: controls, order, geometry, fonts,
// colours, and how labels show what the engine writes into them.
#include "window/cp932.h"
#include "window/layout.h"
#include "window/mainform.h"
#include "window/translations.h"

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

using torvelo::ControlKind;
using torvelo::ControlSpec;
using torvelo::LAYOUT;
using torvelo::MAINFORM;
using torvelo::Text;

Q_DECLARE_METATYPE(Text)

namespace {

QRect rectOf(const ControlSpec& spec) {
    return QRect(spec.x, spec.y, spec.width, spec.height);
}

// The installed face each of the layout's faces should end up in.
QString expectedFamily(const char* face) {
    static const std::map<std::string, QString> families = {
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＤＨＰ平成ゴシックW5", "IPAPGothic"},
        {"FixedSys", "IPAGothic"},
    };
    return families.at(face);
}

// Character heights in pixels of the layout's point sizes on an unscaled
// desktop, 96 logical dots per inch: points * 96 / 72, rounded.
int pixelsFor(int points) {
    static const std::map<int, int> pixels = {{10, 13}, {12, 16}, {13, 17}, {14, 19}, {16, 21}};
    return pixels.at(points);
}

bool allPixels(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
    return true;
}

QImage imageOf(QWidget* widget) {
    return widget->grab().toImage();
}

// 16,777,215 operation digits: the answer to a problem of 16777215 steps.
Text longestAnswer() {
    Text digits(16777215, '1');
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i] = static_cast<char>('1' + i % 5);
    return digits;
}

Text repeated(const Text& piece, std::size_t times) {
    Text out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT
  private slots:
    void controls_data();
    void controls();
    void creationOrder();
    void geometryRules();
    void window();
    void textsByName();
    void labelShowsWhatFits_data();
    void labelShowsWhatFits();
    void carriageReturnShowsNothing();
    void blankLabelIsBackground_data();
    void blankLabelIsBackground();
    void qtTextsAreJapanese();
    void screenReadersReadNamesAndPurposes_data();
    void screenReadersReadNamesAndPurposes();
    void screenReaderHearsNoCarriageReturn();
};

void TestWindowLayout::controls_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < LAYOUT.size(); ++i)
        QTest::newRow(LAYOUT[i].name.data()) << static_cast<int>(i);
}

void TestWindowLayout::controls() {
    QFETCH(int, index);
    const ControlSpec& spec = LAYOUT[static_cast<std::size_t>(index)];
    MAINFORM form;
    QWidget* widget = form.control(spec.name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), &form);
    QCOMPARE(widget->geometry(), rectOf(spec));
    QVERIFY(widget->isVisibleTo(&form));
    QVERIFY(widget->isEnabled());

    const QString initial = QString::fromUtf8(spec.text);
    QVERIFY(form.text(spec.name) == torvelo::cp932Text(initial));

    QCOMPARE(widget->palette().color(QPalette::WindowText), QColor::fromRgb(spec.textColour));
    QCOMPARE(widget->palette().color(QPalette::Window), QColor::fromRgb(spec.background));

    QCOMPARE(widget->font().family(), QString::fromUtf8(spec.face));
    QCOMPARE(widget->font().pixelSize(), pixelsFor(spec.points));
    QCOMPARE(QFontInfo(widget->font()).family(), expectedFamily(spec.face));

    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Ruler: {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), initial);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->wordWrap(), spec.wrap);
        QCOMPARE(label->alignment(), spec.alignment);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        break;
    }
    case ControlKind::Button: {
        auto* button = qobject_cast<QPushButton*>(widget);
        QVERIFY(button);
        QCOMPARE(button->text(), initial);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        break;
    }
    case ControlKind::Edit: {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        QVERIFY(edit);
        QCOMPARE(edit->text(), initial);
        QCOMPARE(edit->alignment(), spec.alignment);
        QCOMPARE(edit->palette().color(QPalette::Text), QColor::fromRgb(spec.textColour));
        QCOMPARE(edit->palette().color(QPalette::Base), QColor::fromRgb(spec.background));
        QCOMPARE(edit->focusPolicy(), Qt::StrongFocus);
        break;
    }
    }
}

void TestWindowLayout::creationOrder() {
    const QStringList order = {"TEXT1",   "TEXT2",   "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4",
                               "BUTTON5", "BUTTON6", "BUTTON7", "EDIT1",   "TEXT11",  "TEXT12",
                               "TEXT13",  "TEXT14",  "TEXT15",  "TEXT16",  "TEXT17",  "BUTTON8",
                               "TEXT18",  "TEXT3",   "TEXT4",   "TEXT5"};
    MAINFORM form;
    QStringList built;
    for (QObject* child : form.children())
        if (child->isWidgetType()) built << child->objectName();
    QCOMPARE(built, order);
}

// Properties of the layout itself, which a mistyped number would break.
void TestWindowLayout::geometryRules() {
    const QRect client(0, 0, torvelo::CLIENT_WIDTH, torvelo::CLIENT_HEIGHT);
    const QRect diagramBand(121, 99, 374 - 121, 341 - 99); // x 121..373, y 99..340
    int labels = 0, buttons = 0, edits = 0;
    for (const ControlSpec& spec : LAYOUT) {
        const QString name = QString::fromUtf8(spec.name.data(), spec.name.size());
        QVERIFY2(spec.x % 11 == 0 && spec.y % 11 == 0 && spec.width % 11 == 0 &&
                     spec.height % 11 == 0,
                 qPrintable(name + " is off the 11-pixel grid"));
        QVERIFY2(client.contains(rectOf(spec)), qPrintable(name + " leaves the client area"));
        QVERIFY2(!diagramBand.intersects(rectOf(spec)),
                 qPrintable(name + " lies in the diagram's band"));
        for (const ControlSpec& other : LAYOUT)
            if (&other != &spec)
                QVERIFY2(!rectOf(spec).intersects(rectOf(other)),
                         qPrintable(name + " overlaps another control"));
        labels += spec.kind == ControlKind::Label || spec.kind == ControlKind::Ruler;
        buttons += spec.kind == ControlKind::Button;
        edits += spec.kind == ControlKind::Edit;
    }
    QCOMPARE(labels, 13);
    QCOMPARE(buttons, 8);
    QCOMPARE(edits, 1);
}

void TestWindowLayout::window() {
    MAINFORM form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Torvelo"));
    QCOMPARE(form.size(), QSize(640, 468));
    QCOMPARE(form.maximumSize(), QSize(640, 468));
    QCOMPARE(form.pos(), QPoint(15, 14));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(form.autoFillBackground());
    QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 255, 255));
    QCOMPARE(form.font().family(), QStringLiteral("FixedSys"));
    QCOMPARE(form.font().pixelSize(), 18);
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("IPAGothic"));
}

void TestWindowLayout::textsByName() {
    MAINFORM form;
    form.setText("text4", "135");
    QVERIFY(form.text("TEXT4") == "135");
    QVERIFY(form.text("Text4") == "135");
    QCOMPARE(qobject_cast<QLabel*>(form.control("TEXT4"))->text(), QStringLiteral("135"));

    // Bytes that are not cp932 still read back exactly as written.
    const Text odd = "\x80\xFF\x82";
    form.setText("TEXT5", odd);
    QVERIFY(form.text("TEXT5") == odd);

    // Label writes wake nothing; the edit box's does.
    QCOMPARE(form.pendingEvents(), std::size_t(0));
    form.setText("EDIT1", " 6");
    QVERIFY(form.text("edit1") == " 6");
    QCOMPARE(form.pendingEvents(), std::size_t(1));
    // The program's own text goes into the edit box unchanged, odd bytes too.
    form.setText("EDIT1", "\x80 6");
    QVERIFY(form.text("EDIT1") == "\x80 6");

    QVERIFY_THROWS_EXCEPTION(torvelo::UnknownControl, form.setText("TEXT6", "x"));
    QVERIFY_THROWS_EXCEPTION(torvelo::UnknownControl, form.text("EDIT2"));
}

void TestWindowLayout::labelShowsWhatFits_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Text>("huge");
    QTest::addColumn<int>("enough"); // bytes that more than fill the label
    QTest::newRow("longest answer in TEXT5") << QByteArray("TEXT5") << longestAnswer() << 400;
    QTest::newRow("operation order in TEXT4") << QByteArray("TEXT4") << longestAnswer() << 400;
    QTest::newRow("wrapping words in a history row")
        << QByteArray("TEXT11") << repeated("1 2 3 4 5 ", 1000000) << 400;
    QTest::newRow("double-byte text in TEXT17")
        << QByteArray("TEXT17") << repeated(" 6   \x90\xB3\x89\xF0\x82\xC5\x82\xB7", 100000) << 160;
}

// A label is handed only what can be visible: it looks the same as with a text
// that merely fills it, yet reads back every byte.
void TestWindowLayout::labelShowsWhatFits() {
    QFETCH(QByteArray, name);
    QFETCH(Text, huge);
    QFETCH(int, enough);
    MAINFORM form;
    auto* label = qobject_cast<QLabel*>(form.control(name.constData()));

    form.setText(name.constData(), huge.substr(0, static_cast<std::size_t>(enough)));
    const QImage filled = imageOf(label);
    form.setText(name.constData(), huge);
    QVERIFY(form.text(name.constData()) == huge);
    QVERIFY(label->text().size() < 5000);
    QCOMPARE(imageOf(label), filled);
}

// ROW_TEXT ends in a carriage return that must not show as a glyph.
void TestWindowLayout::carriageReturnShowsNothing() {
    MAINFORM form;
    QWidget* row = form.control("TEXT15");
    form.setText("TEXT15", "4 3 2 1 5 6 7 8 9 ");
    const QImage withoutReturn = imageOf(row);
    form.setText("TEXT15", "4 3 2 1 5 6 7 8 9 \r");
    QCOMPARE(imageOf(row), withoutReturn);
    QVERIFY(!allPixels(withoutReturn, qRgb(255, 255, 255)));
}

void TestWindowLayout::blankLabelIsBackground_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Text>("text");
    QTest::addColumn<QRgb>("background");
    QTest::newRow("empty history row") << QByteArray("TEXT11") << Text() << qRgb(255, 255, 255);
    QTest::newRow("blank history row") << QByteArray("TEXT12") << Text(" ") << qRgb(255, 255, 255);
    QTest::newRow("ten blanks") << QByteArray("TEXT13") << Text(10, ' ') << qRgb(255, 255, 255);
    QTest::newRow("blank on yellow") << QByteArray("TEXT16") << Text(" ") << qRgb(255, 255, 0);
    QTest::newRow("empty on cyan") << QByteArray("TEXT18") << Text() << qRgb(0, 255, 255);
}

// An empty label and one holding blanks look alike: their background, whole.
void TestWindowLayout::blankLabelIsBackground() {
    QFETCH(QByteArray, name);
    QFETCH(Text, text);
    QFETCH(QRgb, background);
    MAINFORM form;
    form.setText(name.constData(), text);
    QVERIFY(allPixels(imageOf(form.control(name.constData())), background));
}

// The edit box's own menu, which Qt writes, speaks the window's language.
void TestWindowLayout::qtTextsAreJapanese() {
    QVERIFY(torvelo::useJapaneseQtTexts());
    MAINFORM form;
    auto* edit = qobject_cast<QLineEdit*>(form.control("EDIT1"));
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    int entries = 0;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        ++entries;
        const QString text = action->text();
        QVERIFY2(
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
            qPrintable(text));
    }
    QCOMPARE(entries, 7); // undo, redo, cut, copy, paste, delete, select all
}

void TestWindowLayout::screenReadersReadNamesAndPurposes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");      // the visible text
    QTest::addColumn<QString>("description"); // what the control is for
    QTest::newRow("F1") << "BUTTON1"
                        << "Ｆ１"
                        << "1〜4番目の数字を反転";
    QTest::newRow("F5") << "BUTTON5"
                        << "Ｆ５"
                        << "8、9、1、2番目の数字を両端をまたいで反転";
    QTest::newRow("new problem") << "BUTTON6"
                                 << "問題作成"
                                 << "新しい問題を作る";
    QTest::newRow("retry") << "BUTTON8"
                           << "やり直し"
                           << "問題を最初からやり直す";
    QTest::newRow("answer button") << "BUTTON7"
                                   << "解答"
                                   << "解答を表示";
    QTest::newRow("count box") << "EDIT1"
                               << ""
                               << "問題の手数";
    QTest::newRow("oldest row") << "TEXT11"
                                << ""
                                << "4手前の並び";
    QTest::newRow("newest row") << "TEXT15"
                                << " "
                                << "現在の並び";
    QTest::newRow("move counter") << "TEXT17"
                                  << ""
                                  << "変換回数";
    QTest::newRow("operation order") << "TEXT4"
                                     << ""
                                     << "操作順序";
    QTest::newRow("answer") << "TEXT5"
                            << " "
                            << "解答";
}

void TestWindowLayout::screenReadersReadNamesAndPurposes() {
    QFETCH(QString, name);
    QFETCH(QString, spoken);
    QFETCH(QString, description);
    MAINFORM form;
    QAccessibleInterface* control =
        QAccessible::queryAccessibleInterface(form.control(name.toStdString()));
    QVERIFY(control);
    if (!name.startsWith("EDIT")) QCOMPARE(control->text(QAccessible::Name), spoken);
    QCOMPARE(control->text(QAccessible::Description), description);
}

// A history row ends in a carriage return that nobody sees: a screen reader
// must not speak it, while the game reads the row back exactly.
void TestWindowLayout::screenReaderHearsNoCarriageReturn() {
    MAINFORM form;
    form.setText("TEXT15", "4 3 2 1 5 6 7 8 9 \r");
    const QString spoken =
        QAccessible::queryAccessibleInterface(form.control("TEXT15"))->text(QAccessible::Name);
    QVERIFY2(!spoken.contains(u'\r'), qPrintable(spoken));
    QCOMPARE(spoken.trimmed(), QStringLiteral("4 3 2 1 5 6 7 8 9"));
    QVERIFY(form.text("TEXT15") == "4 3 2 1 5 6 7 8 9 \r");
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
