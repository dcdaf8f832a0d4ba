// The text and number rules, one table per rule.
#include "text/clock.h"
#include "text/random.h"
#include "text/text.h"

#include <QtTest>
#include <cmath>
#include <ctime>
#include <limits>
#include <string>

using namespace torvelo;

namespace {

std::string bytes(const QByteArray& b) {
    return std::string(b.constData(), size_t(b.size()));
}
QByteArray qbytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

// The error code a call throws, 0 where it returns.
template <typename F>
int errorOf(F&& f) {
    try {
        f();
    } catch (const FatalError& e) {
        return e.code();
    }
    return 0;
}

class FixedClock : public Clock {
  public:
    TimeOfDay time;
    TimeOfDay now() override { return time; }
};

} // namespace

class TestText : public QObject {
    Q_OBJECT

  private slots:
    void numberText_data();
    void numberText();
    void numberTextLastCharacterIsTheDigit();
    void textNumber_data();
    void textNumber();
    void textNumberOfHugeTexts_data();
    void textNumberOfHugeTexts();
    void single_data();
    void single();
    void wholeNumber_data();
    void wholeNumber();
    void cellAndFloor_data();
    void cellAndFloor();
    void smallTextRules_data();
    void smallTextRules();
    void hexText_data();
    void hexText();
    void timeText_data();
    void timeText();
    void generator();
    void systemClockReadsTheLocalTime();
};

void TestText::numberText_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero") << 0.0f << QByteArray(" 0");
    QTest::newRow("negative zero") << -0.0f << QByteArray(" 0");
    QTest::newRow("digit") << 6.0f << QByteArray(" 6");
    QTest::newRow("negative") << -3.0f << QByteArray("-3");
    QTest::newRow("two digits") << 12.0f << QByteArray(" 12");
    QTest::newRow("fraction") << 1.5f << QByteArray(" 1.5");
    QTest::newRow("no zero before the point") << 0.5f << QByteArray(" .5");
    QTest::newRow("six digits") << 123456.0f << QByteArray(" 123456");
    QTest::newRow("largest six-digit whole") << 999999.0f << QByteArray(" 999999");
    QTest::newRow("million") << 1000000.0f << QByteArray(" 1E+06");
    QTest::newRow("seven digits round up") << 1234567.0f << QByteArray(" 1.23457E+06");
    QTest::newRow("tie rounds up, not to even") << 1234565.0f << QByteArray(" 1.23457E+06");
    QTest::newRow("tie below a million rounds up") << 123456.5f << QByteArray(" 123457");
    QTest::newRow("carry into the exponent form") << 999999.5f << QByteArray(" 1E+06");
    QTest::newRow("below a tie stays") << 123456.4f << QByteArray(" 123456");
    QTest::newRow("fixed with fraction") << 12345.67f << QByteArray(" 12345.7");
    QTest::newRow("float just under 1.1") << 1.1f << QByteArray(" 1.1");
    QTest::newRow("millionth") << 0.000001f << QByteArray(" .000001");
    QTest::newRow("ten millionth") << 0.0000001f << QByteArray(" 1E-07");
    QTest::newRow("fraction needing seven places") << 0.0000015f << QByteArray(" 1.5E-06");
    QTest::newRow("fraction of six places") << 0.000015f << QByteArray(" .000015");
    QTest::newRow("0.1234567 rounds") << 0.1234567f << QByteArray(" .123457");
    QTest::newRow("2^24") << 16777216.0f << QByteArray(" 1.67772E+07");
    QTest::newRow("largest float")
        << std::numeric_limits<float>::max() << QByteArray(" 3.40282E+38");
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<float>::denorm_min() << QByteArray(" 1.4013E-45");
    // 6.4210746...E-39: rounded to seven digits first it would become
    // 6.421075 and then round up wrongly.
    QTest::newRow("rounded once, from the exact value")
        << 6.421074664780035e-39f << QByteArray(" 6.42107E-39");
    QTest::newRow("negative fraction") << -0.25f << QByteArray("-.25");
    QTest::newRow("negative exponent form") << -1.0e10f << QByteArray("-1E+10");
}

void TestText::numberText() {
    QFETCH(float, x);
    QFETCH(QByteArray, text);
    QCOMPARE(qbytes(NUMBER_TEXT(x)), text);
}

void TestText::numberTextLastCharacterIsTheDigit() {
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(RIGHT_TEXT(NUMBER_TEXT(float(n)), 1), std::string(1, char('0' + n)));
}

void TestText::textNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");
    auto row = [](const char* name, QByteArray text, double value, int error = 0) {
        QTest::newRow(name) << text << value << error;
    };
    row("empty", "", 0);
    row("three blanks", "   ", 0);
    row("letters", "abc", 0);
    row("full-width digits", "\x82\x50\x82\x51", 0);
    row("full-width blank first",
        "\x81\x40"
        "6",
        0);
    row("lone minus", "-", 0);
    row("lone plus", "+", 0);
    row("lone point", ".", 0);
    row("sign then blank", "- 5", 0);
    row("point then letter", ".e5", 0);
    row("sign and point only", "-.", 0);
    row("leading blank", " 6", 6);
    row("trailing blank", "6 ", 6);
    row("fraction", "2.5", 2.5);
    row("negative", "-3", -3);
    row("plus", "+4", 4);
    row("point first", ".5", 0.5);
    row("signed point first", "-.5", -0.5);
    row("trailing point", "5.", 5);
    row("letters after", "12abc", 12);
    row("blank ends the number", "7 5", 7);
    row("colon ends the number", "42:3", 42);
    row("seed text", "07:1", 7);
    row("exponent", "1e3", 1000);
    row("upper-case exponent", "2E2", 200);
    row("negative exponent", "25e-1", 2.5);
    row("exponent letter without digits", "2e", 2);
    row("exponent sign without digits", "2e+", 2);
    row("exponent then letters", "3e1x", 30);
    row("blank before exponent", "3 e1", 3);
    row("leading zeros", "0006", 6);
    row("NUL ends the number",
        QByteArray("12\0"
                   "34",
                   5),
        12);
    row("NUL first",
        QByteArray("\0"
                   "5",
                   2),
        0);
    row("double-byte character with ASCII trail byte",
        "1\x81\x45"
        "5",
        1);
    row("double-byte E after digits is not an exponent",
        "5\x82\x64"
        "3",
        5);
    row("half-width katakana",
        "\xB1"
        "7",
        0);
    row("exponent beyond single precision", "1e39", 0, FatalError::Overflow);
    row("exponent at the largest float", "3.4028235e38", double(std::numeric_limits<float>::max()));
    row("float subnormal keeps its value", "1.4e-45",
        double(std::numeric_limits<float>::denorm_min()));
    row("below half the smallest float", "7e-46", 0);
    // 2^128 - 2^103, half an ulp above the largest float: the tie rounds to even, past it.
    row("at the float overflow tie", "340282356779733661637539395458142568448e0", 0,
        FatalError::Overflow);
    row("just below the float overflow tie", "340282356779733661637539395458142568447e0",
        double(std::numeric_limits<float>::max()));
    row("huge negative exponent", "1e-99999999999999999999", 0);
    row("huge exponent", "1e99999999999999999999", 0, FatalError::Overflow);
    row("zero with huge exponent", "0e99999", 0);
    row("forty nines", QByteArray(40, '9'), 1e40);
    row("beyond double precision", "1" + QByteArray(309, '0'), 0, FatalError::Overflow);
    row("below double precision", "." + QByteArray(400, '0') + "1", 0);
    row("double subnormal keeps its value", "." + QByteArray(323, '0') + "5",
        std::numeric_limits<double>::denorm_min());
    row("more digits than double holds", "123456789012345678901234567890", 1.2345678901234568e29);
}

void TestText::textNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QFETCH(int, error);
    double got = 0;
    QCOMPARE(errorOf([&] { got = TEXT_NUMBER(bytes(text)); }), error);
    if (error == 0) QCOMPARE(got, value);
}

void TestText::textNumberOfHugeTexts_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");
    const QByteArray mega(1 << 20, '1');
    QTest::newRow("a megabyte of digits") << mega << 0.0 << FatalError::Overflow;
    QTest::newRow("a megabyte of zeros, then 5") << QByteArray(1 << 20, '0') + "5" << 5.0 << 0;
    QTest::newRow("a megabyte of fraction digits") << "2." + mega << 2.1111111111111112 << 0;
    QTest::newRow("a megabyte of blanks") << QByteArray(1 << 20, ' ') + "8" << 8.0 << 0;
    QTest::newRow("a megabyte of exponent digits") << "1e" + mega << 0.0 << FatalError::Overflow;
    QTest::newRow("a megabyte after the number") << "9x" + mega << 9.0 << 0;
}

void TestText::textNumberOfHugeTexts() {
    textNumber();
}

void TestText::single_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("largest float written out") << QByteArray("3.4028235E+38") << 0;
    QTest::newRow("largest float, no exponent")
        << QByteArray("340282346638528859811704183484516925440") << 0;
    QTest::newRow("just under half an ulp above the largest")
        << QByteArray("340282356000000000000000000000000000000") << 0;
    QTest::newRow("half an ulp above the largest")
        << QByteArray("340282356779733661637539395458142568448") << FatalError::Overflow;
    QTest::newRow("3.4028236E+38") << QByteArray("3.4028236E+38") << FatalError::Overflow;
    QTest::newRow("forty nines") << QByteArray(40, '9') << FatalError::Overflow;
    QTest::newRow("negative forty nines") << "-" + QByteArray(40, '9') << FatalError::Overflow;
    QTest::newRow("tiny") << QByteArray("1e-50") << 0;
}

void TestText::single() {
    QFETCH(QByteArray, text);
    QFETCH(int, error);
    QCOMPARE(errorOf([&] { SINGLE(TEXT_NUMBER(bytes(text))); }), error);
}

void TestText::wholeNumber_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("whole");
    QTest::addColumn<int>("error");
    QTest::newRow("2.5 away from zero") << 2.5 << 3 << 0;
    QTest::newRow("-2.5 away from zero") << -2.5 << -3 << 0;
    QTest::newRow("2.4") << 2.4 << 2 << 0;
    QTest::newRow("59") << 59.0 << 59 << 0;
    QTest::newRow("just under one half") << 0.49999999999999994 << 0 << 0;
    QTest::newRow("largest") << 2147483647.4 << 2147483647 << 0;
    QTest::newRow("smallest") << -2147483648.0 << int(-2147483647 - 1) << 0;
    QTest::newRow("rounds past the largest") << 2147483647.5 << 0 << FatalError::Overflow;
    QTest::newRow("below the smallest") << -2147483649.0 << 0 << FatalError::Overflow;
    QTest::newRow("not a number") << std::nan("") << 0 << FatalError::Overflow;
}

void TestText::wholeNumber() {
    QFETCH(double, x);
    QFETCH(int, whole);
    QFETCH(int, error);
    int got = 0;
    QCOMPARE(errorOf([&] { got = WHOLE_NUMBER(x); }), error);
    QCOMPARE(got, whole);
}

void TestText::cellAndFloor_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("error");
    QTest::addColumn<double>("floor");
    QTest::newRow("5.99") << 5.99 << 6 << 0 << 5.0;
    QTest::newRow("1") << 1.0 << 1 << 0 << 1.0;
    QTest::newRow("-0.5") << -0.5 << 0 << 0 << -1.0;
    QTest::newRow("2.5 to even") << 2.5 << 2 << 0 << 2.0;
    QTest::newRow("3.5 to even") << 3.5 << 4 << 0 << 3.0;
    QTest::newRow("32767") << 32767.0 << 32767 << 0 << 32767.0;
    QTest::newRow("32767.5 rounds to even past the range")
        << 32767.5 << 0 << FatalError::Overflow << 32767.0;
    QTest::newRow("-32768") << -32768.0 << -32768 << 0 << -32768.0;
    QTest::newRow("-32769") << -32769.0 << 0 << FatalError::Overflow << -32769.0;
}

void TestText::cellAndFloor() {
    QFETCH(double, x);
    QFETCH(int, cell);
    QFETCH(int, error);
    QFETCH(double, floor);
    int got = 0;
    QCOMPARE(errorOf([&] { got = CELL(x); }), error);
    QCOMPARE(got, cell);
    QCOMPARE(FLOOR(x), floor);
}

// BLANKS, RIGHT_TEXT, MID_TEXT and CHAR_TEXT: result, or the error code.
void TestText::smallTextRules_data() {
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<int>("error");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("expectedError");
    auto row = [](const char* name, auto f, QByteArray expected, int expectedError = 0) {
        std::string got;
        const int error = errorOf([&] { got = f(); });
        QTest::newRow(name) << qbytes(got) << error << expected << expectedError;
    };
    row(
        "ten blanks", [] { return BLANKS(10); }, "          ");
    row(
        "no blanks", [] { return BLANKS(0); }, "");
    row(
        "negative blanks", [] { return BLANKS(-1); }, "", FatalError::IllegalArgument);
    row(
        "right 2", [] { return RIGHT_TEXT("12:34:56", 2); }, "56");
    row(
        "right 0", [] { return RIGHT_TEXT("abc", 0); }, "");
    row(
        "right beyond the length", [] { return RIGHT_TEXT("abc", 9); }, "abc");
    row(
        "right of double-byte text counts bytes", [] { return RIGHT_TEXT("\x90\xB3\x89\xF0", 1); },
        "\xF0");
    row(
        "right negative", [] { return RIGHT_TEXT("abc", -1); }, "", FatalError::IllegalArgument);
    row(
        "mid 3 for 2", [] { return MID_TEXT("12:34:56", 3, 2); }, ":3");
    row(
        "mid to the end", [] { return MID_TEXT("abcdef", 5, 10); }, "ef");
    row(
        "mid beyond the end", [] { return MID_TEXT("abc", 4, 1); }, "");
    row(
        "mid at the last character", [] { return MID_TEXT("abc", 3, 1); }, "c");
    row(
        "mid 0 characters", [] { return MID_TEXT("abc", 2, 0); }, "");
    row(
        "mid at position 0", [] { return MID_TEXT("abc", 0, 1); }, "", FatalError::IllegalArgument);
    row(
        "mid negative count", [] { return MID_TEXT("abc", 1, -1); }, "",
        FatalError::IllegalArgument);
    row(
        "carriage return", [] { return CHAR_TEXT(13); }, "\r");
    row(
        "NUL", [] { return CHAR_TEXT(0); }, QByteArray(1, '\0'));
    row(
        "255", [] { return CHAR_TEXT(255); }, "\xFF");
    row(
        "256", [] { return CHAR_TEXT(256); }, "", FatalError::IllegalArgument);
    row(
        "negative code", [] { return CHAR_TEXT(-1); }, "", FatalError::IllegalArgument);
}

void TestText::smallTextRules() {
    QFETCH(QByteArray, result);
    QFETCH(int, error);
    QFETCH(QByteArray, expected);
    QFETCH(int, expectedError);
    QCOMPARE(error, expectedError);
    QCOMPARE(result, expected);
}

void TestText::hexText_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("0") << 0.0 << QByteArray("0") << 0;
    QTest::newRow("9") << 9.0 << QByteArray("9") << 0;
    QTest::newRow("10") << 10.0 << QByteArray("A") << 0;
    QTest::newRow("255") << 255.0 << QByteArray("FF") << 0;
    QTest::newRow("2.5 to even") << 2.5 << QByteArray("2") << 0;
    QTest::newRow("-1 as two's complement") << -1.0 << QByteArray("FFFFFFFF") << 0;
    QTest::newRow("largest signed") << 2147483647.0 << QByteArray("7FFFFFFF") << 0;
    QTest::newRow("2^31") << 2147483648.0 << QByteArray("80000000") << 0;
    QTest::newRow("2^32 - 1") << 4294967295.0 << QByteArray("FFFFFFFF") << 0;
    QTest::newRow("-2^31") << -2147483648.0 << QByteArray("80000000") << 0;
    QTest::newRow("beyond 32 bits") << 4294967296.0 << QByteArray() << FatalError::Overflow;
    QTest::newRow("below 32 bits") << -2147483649.0 << QByteArray() << FatalError::Overflow;
}

void TestText::hexText() {
    QFETCH(double, x);
    QFETCH(QByteArray, text);
    QFETCH(int, error);
    std::string got;
    QCOMPARE(errorOf([&] { got = HEX_TEXT(x); }), error);
    QCOMPARE(qbytes(got), text);
}

void TestText::timeText_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("seed");
    QTest::newRow("midnight") << 0 << 0 << 0 << QByteArray("00:00:00") << 0.0;
    QTest::newRow("afternoon") << 14 << 37 << 5 << QByteArray("14:37:05") << 5.0;
    QTest::newRow("last second") << 23 << 59 << 59 << QByteArray("23:59:59") << 59.0;
}

// The seed text is the seconds of one reading and ":" and the minutes' tens of
// another; its value is the seconds alone.
void TestText::timeText() {
    QFETCH(int, h);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(QByteArray, text);
    QFETCH(double, seed);
    FixedClock clock;
    clock.time = {h, m, s};
    const std::string t = TIME_TEXT(clock);
    QCOMPARE(qbytes(t), text);
    QCOMPARE(qbytes(MID_TEXT(t, 3, 2)), ":" + text.mid(3, 1));
    QCOMPARE(TEXT_NUMBER(RIGHT_TEXT(TIME_TEXT(clock), 2) + MID_TEXT(TIME_TEXT(clock), 3, 2)), seed);
}

void TestText::generator() {
    Random r;
    QCOMPARE(r.RANDOM_STATE, 204u);
    const double bounds[3][2] = {{0.07, 0.08}, {0.92, 0.93}, {0.08, 0.09}};
    const int draws[3] = {1, 5, 1};
    for (int i = 0; i < 3; ++i) {
        r.SEED_RANDOM(0);
        const float x = r.NEXT_RANDOM();
        QVERIFY2(x > bounds[i][0] && x < bounds[i][1], qPrintable(QString::number(x)));
        QCOMPARE(FLOOR(double(x) * 5 + 1), double(draws[i]));
    }

    Random seeded;
    seeded.SEED_RANDOM(59);
    QCOMPARE(seeded.RANDOM_STATE, 204u ^ 59u); // mixed in, not replaced
    seeded.SEED_RANDOM(-1);
    QCOMPARE(seeded.RANDOM_STATE, ~(204u ^ 59u));

    // The state whose next step has top 23 bits of zero: that result is skipped.
    // x * a + c = y (mod 2^32) with y < 2^9; solve for x with a's inverse.
    const uint32_t a = 2058568021u, c = 1276750819u;
    uint32_t inverse = a; // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - a * inverse;
    Random zero;
    zero.RANDOM_STATE = (5u - c) * inverse;
    const float next = zero.NEXT_RANDOM();
    QVERIFY(next > 0.0f && next < 1.0f);
    QVERIFY(zero.RANDOM_STATE != 5u);
}

// The real clock, against the C library's local time read around it; and when
// the second changes, the clock's reading changes with it, cache or not.
void TestText::systemClockReadsTheLocalTime() {
    auto local = [] {
        const time_t now = time(nullptr);
        tm t{};
        localtime_r(&now, &t);
        return TimeOfDay{t.tm_hour, t.tm_min, t.tm_sec};
    };
    auto same = [](TimeOfDay a, TimeOfDay b) {
        return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds;
    };
    SystemClock clock;
    const TimeOfDay before = local();
    const TimeOfDay read = clock.now();
    const TimeOfDay after = local();
    QVERIFY(same(read, before) || same(read, after));

    // Wait for the next second (a little over one at most), then read again.
    QElapsedTimer waited;
    waited.start();
    while (same(local(), after) && waited.elapsed() < 3000)
        QTest::qSleep(5);
    const TimeOfDay next = local();
    QVERIFY(!same(next, after));
    const TimeOfDay reread = clock.now();
    QVERIFY2(same(reread, next) || same(reread, local()),
             qPrintable(QString("the clock still reads %1:%2:%3")
                            .arg(reread.hours)
                            .arg(reread.minutes)
                            .arg(reread.seconds)));
}

QTEST_APPLESS_MAIN(TestText)
#include "tst_text.moc"
