// cp932 to and from what Qt shows, and font sizes from the screen.
#include "window/cp932.h"
#include "window/fonts.h"

#include <QTest>

using torvelo::Text;

class TestWindowText : public QObject {
    Q_OBJECT
  private slots:
    void displayText_data();
    void displayText();
    void cp932Text_data();
    void cp932Text();
    void prefix_data();
    void prefix();
    void pixelHeight_data();
    void pixelHeight();
};

void TestWindowText::displayText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("success text") << QByteArray("   \x90\xB3\x89\xF0\x82\xC5\x82\xB7")
                                  << QStringLiteral("   正解です");
    QTest::newRow("row keeps its carriage return")
        << QByteArray("1 2 3 4 5 6 7 8 9 \r") << QStringLiteral("1 2 3 4 5 6 7 8 9 \r");
    QTest::newRow("half-width katakana") << QByteArray("\xB1") << QStringLiteral("ｱ");
    QTest::newRow("byte outside cp932") << QByteArray("1\x80"
                                                      "2")
                                        << QStringLiteral("1\uFFFD2");
    QTest::newRow("lead byte with a bad trail") << QByteArray("\x82\x01"
                                                              "A")
                                                << QStringLiteral("\uFFFD\u0001A");
    QTest::newRow("lone lead byte at the end") << QByteArray("A\x82") << QStringLiteral("A\uFFFD");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestWindowText::displayText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(torvelo::displayText(std::string_view(bytes.constData(), bytes.size())), shown);
}

void TestWindowText::cp932Text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("digits and blank") << QStringLiteral(" 16") << QByteArray(" 16");
    QTest::newRow("caption") << QStringLiteral("問題作成")
                             << QByteArray("\x96\xE2\x91\xE8\x8D\xEC\x90\xAC");
    QTest::newRow("character cp932 lacks") << QStringLiteral("1€2") << QByteArray("1?2");
    QTest::newRow("character beyond 16 bits") << QString::fromUtf8("7\xF0\x9F\x98\x80"
                                                                   "5")
                                              << QByteArray("7?5");
}

void TestWindowText::cp932Text() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const Text converted = torvelo::cp932Text(text);
    QCOMPARE(QByteArray(converted.data(), static_cast<qsizetype>(converted.size())), bytes);
}

void TestWindowText::prefix_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<int>("length");
    QTest::newRow("shorter than the bound") << QByteArray("12345") << 9 << 5;
    QTest::newRow("single bytes cut") << QByteArray("12345") << 3 << 3;
    QTest::newRow("cut inside a double byte") << QByteArray("A\x90\xB3") << 2 << 1;
    QTest::newRow("cut after a double byte") << QByteArray("A\x90\xB3"
                                                           "B")
                                             << 3 << 3;
    // A trail byte can lie in the lead bytes' range; only a scan from the start
    // tells that the last byte kept ends a character rather than starts one.
    QTest::newRow("trail byte in the lead range") << QByteArray("\x81\x82"
                                                                "A")
                                                  << 2 << 2;
}

void TestWindowText::prefix() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxBytes);
    QFETCH(int, length);
    QCOMPARE(torvelo::cp932Prefix(std::string_view(bytes.constData(), bytes.size()),
                                  static_cast<std::size_t>(maxBytes)),
             static_cast<std::size_t>(length));
}

void TestWindowText::pixelHeight_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("10 pt at 96 dpi") << 10.0 << 96.0 << 13;
    QTest::newRow("12 pt at 96 dpi") << 12.0 << 96.0 << 16;
    QTest::newRow("13 pt at 96 dpi") << 13.0 << 96.0 << 17;
    QTest::newRow("14 pt at 96 dpi") << 14.0 << 96.0 << 19;
    QTest::newRow("16 pt at 96 dpi") << 16.0 << 96.0 << 21;
    QTest::newRow("10 pt at 100 dpi") << 10.0 << 100.0 << 14;
    QTest::newRow("16 pt at 144 dpi") << 16.0 << 144.0 << 32;
    QTest::newRow("13 pt at 72 dpi") << 13.0 << 72.0 << 13;
}

void TestWindowText::pixelHeight() {
    QFETCH(double, points);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(torvelo::fontPixelHeight(points, dpi), pixels);
}

QTEST_APPLESS_MAIN(TestWindowText)
#include "tst_window_text.moc"
