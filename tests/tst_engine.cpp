// The engine played the way a player plays it: button presses become handler
// calls followed by the main loop's work, against a fake window and clock.
#include "engine/game.h"
#include "support/fake_controls.h"
#include "text/random.h"

#include <QtTest>
#include <algorithm>
#include <sstream>
#include <string>

using namespace torvelo;

namespace {

const std::string SOLVED = "   \x90\xB3\x89\xF0\x82\xC5\x82\xB7"; // "   正解です"
const std::string TEN_BLANKS(10, ' ');

// The row the player reads, "1 2 8 9 6 5 4 3 7", as a board and as ROW_TEXT.
Board board(const std::string& row) {
    Board b{};
    std::istringstream in(row);
    for (std::size_t i = 1; i <= 9; ++i)
        in >> b[i];
    return b;
}
std::string rowText(const std::string& row) {
    return row + " \r";
}
std::string show(const Board& b) {
    std::string s;
    for (std::size_t i = 1; i <= 9; ++i) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // a literal plus a temporary string.
        if (i > 1) s += ' ';
        s += std::to_string(b[i]);
    }
    return s;
}

// An oracle independent of the engine's exchange table: operation n reverses a
// window of four cells, F5's wrapping round the ends.
Board reversed(Board b, int n) {
    static const int windows[6][4] = {{},           {1, 2, 3, 4}, {2, 3, 4, 5},
                                      {5, 6, 7, 8}, {6, 7, 8, 9}, {8, 9, 1, 2}};
    const Board old = b;
    for (int k = 0; k < 4; ++k)
        b[std::size_t(windows[n][k])] = old[std::size_t(windows[n][3 - k])];
    return b;
}
Board applied(Board b, const std::string& digits) {
    for (char c : digits)
        b = reversed(b, c - '0');
    return b;
}

// A game with its fake window, started as the main program starts it.
struct Play {
    FakeControls ui;
    FakeClock clock;
    Game game{ui, clock};

    void start() {
        game.ORDER_BOARD();
        game.SCRAMBLE_COUNT = 6;
        ui.setText("edit1", NUMBER_TEXT(game.SCRAMBLE_COUNT));
        game.EVENT_CODE = 9; // the start-up wait runs the edit box's change handler
        game.NEW_PROBLEM();
    }

    // "1 3 5" presses F1, F3, F5; 6 new problem, 7 answer, 8 retry. Each press is
    // the button's handler followed by one turn of the main loop.
    void press(const std::string& buttons) {
        for (char c : buttons) {
            if (c == ' ') continue;
            const int n = c - '0';
            if (n <= 5)
                game.OPERATION_ON(n);
            else
                game.EVENT_CODE = float(n);
            game.DISPATCH_EVENT();
        }
    }

    // Typing into the edit box: its change handler, then one turn of the loop.
    void type(const std::string& text) {
        ui.setText("EDIT1", text);
        game.EVENT_CODE = 9;
        game.DISPATCH_EVENT();
    }

    const std::string& label(const char* name) { return ui.text(name); }
};

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

  private slots:
    void operations_data();
    void operations();
    void handlerAppliesAndReportsTheOperation();
    void workedExample();
    void everyDrawMixesTheSeconds();
    void pressingRecordsTheMoves();
    void historyScrollsAfterTheFourthMove();
    void sameOperationTwice();
    void solvingWithTheAnswer();
    void retry();
    void retryRightAfterANewProblem();
    void editBoxSetsTheCount_data();
    void editBoxSetsTheCount();
    void editBoxOverflowIsFatal();
    void scrambleLength_data();
    void scrambleLength();
    void scrambleFollowsTheRefusalRules();
    void sequencesThatReturnToTheOrderedRow();
    void aScrambleBackToTheOrderedRowStartsOver();
    void stepsForLargeCounts_data();
    void stepsForLargeCounts();
    void countsFrom2To24ScrambleExactly_data();
    void countsFrom2To24ScrambleExactly();
    void longScrambleKeepsTheWindowResponsive();
};

void TestEngine::operations_data() {
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("row");
    QTest::newRow("F1") << "1"
                        << "4 3 2 1 5 6 7 8 9";
    QTest::newRow("F2") << "2"
                        << "1 5 4 3 2 6 7 8 9";
    QTest::newRow("F3") << "3"
                        << "1 2 3 4 8 7 6 5 9";
    QTest::newRow("F4") << "4"
                        << "1 2 3 4 5 9 8 7 6";
    QTest::newRow("F5 wraps round") << "5"
                                    << "9 8 3 4 5 6 7 2 1";
    for (const char* twice : {"11", "22", "33", "44", "55"})
        QTest::newRow(qPrintable(QString("twice ") + twice)) << twice << "1 2 3 4 5 6 7 8 9";
    QTest::newRow("F1 F3") << "13"
                           << "4 3 2 1 8 7 6 5 9";
    QTest::newRow("F3 F1 commute") << "31"
                                   << "4 3 2 1 8 7 6 5 9";
    QTest::newRow("F1 F2") << "12"
                           << "4 5 1 2 3 6 7 8 9";
    QTest::newRow("F2 F1 differ") << "21"
                                  << "3 4 5 1 2 6 7 8 9";
}

void TestEngine::operations() {
    QFETCH(QString, presses);
    QFETCH(QString, row);
    Play p;
    // Through the named routines; the generator selects them by number.
    void (Game::*const routines[])() = {&Game::OP_F1, &Game::OP_F2, &Game::OP_F3, &Game::OP_F4,
                                        &Game::OP_F5};
    p.game.ORDER_BOARD();
    for (QChar c : presses)
        (p.game.*routines[c.digitValue() - 1])();
    QCOMPARE(show(p.game.BOARD), row.toStdString());
    QCOMPARE(p.game.EVENT_CODE, 0.0f); // the routines report nothing
}

void TestEngine::handlerAppliesAndReportsTheOperation() {
    Play p;
    p.game.ORDER_BOARD();
    p.game.OPERATION_ON(5);
    QCOMPARE(show(p.game.BOARD), std::string("9 8 3 4 5 6 7 2 1"));
    QCOMPARE(p.game.EVENT_CODE, 5.0f);
    QVERIFY(p.ui.writes.empty()); // the display changes only when the loop has run
}

void TestEngine::workedExample() {
    Play p;
    p.start();
    QCOMPARE(p.game.ANSWER_LOG, std::string("343151"));
    QCOMPARE(show(p.game.BOARD), std::string("1 2 8 9 6 5 4 3 7"));
    QCOMPARE(p.label("TEXT15"), rowText("1 2 8 9 6 5 4 3 7"));
    QCOMPARE(p.game.START_BOARD, p.game.BOARD);
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14"})
        QCOMPARE(p.label(row), TEN_BLANKS);
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT4"), std::string());
    QCOMPARE(p.label("TEXT5"), std::string());
    QCOMPARE(p.game.EVENT_CODE, 0.0f);

    // Nine draws, three of them refused: the generator has stepped nine times.
    Random r;
    for (int i = 0; i < 9; ++i)
        r.NEXT_RANDOM();
    QCOMPARE(p.game.RANDOM.RANDOM_STATE, r.RANDOM_STATE);
}

void TestEngine::everyDrawMixesTheSeconds() {
    Play p;
    p.clock.time.seconds = 37;
    p.game.SCRAMBLE_COUNT = 1;
    p.game.NEW_PROBLEM();
    Random r;
    r.SEED_RANDOM(37);
    const int first = 1 + int(double(r.NEXT_RANDOM()) * 5);
    QCOMPARE(p.game.ANSWER_LOG, std::to_string(first));
    QCOMPARE(p.game.RANDOM.RANDOM_STATE, r.RANDOM_STATE);
}

void TestEngine::pressingRecordsTheMoves() {
    Play p;
    p.start();
    const Board problem = p.game.BOARD;
    p.press("1 3 5");
    QCOMPARE(p.game.MOVE_LOG, std::string("135"));
    QCOMPARE(p.label("TEXT4"), std::string("135"));
    QCOMPARE(p.label("TEXT17"), std::string(" 3"));
    QCOMPARE(p.label("TEXT15"), rowText(show(applied(problem, "135"))));
    QCOMPARE(p.label("TEXT14"), rowText(show(applied(problem, "13"))));
    QCOMPARE(p.label("TEXT13"), rowText(show(applied(problem, "1"))));
    QCOMPARE(p.label("TEXT12"), rowText(show(problem)));
    QCOMPARE(p.label("TEXT11"), TEN_BLANKS);
    QCOMPARE(p.label("TEXT15").size(), std::size_t(19));
    QCOMPARE(p.game.EVENT_CODE, 0.0f);
    QCOMPARE(p.ui.beeps, 0);
}

void TestEngine::historyScrollsAfterTheFourthMove() {
    Play p;
    p.start();
    const Board problem = p.game.BOARD;
    p.press("2 4 2 4");
    QCOMPARE(p.label("TEXT11"), rowText(show(problem)));
    p.press("3");
    QCOMPARE(p.label("TEXT11"), rowText(show(applied(problem, "2"))));
    QCOMPARE(p.label("TEXT15"), rowText(show(applied(problem, "24243"))));
}

void TestEngine::sameOperationTwice() {
    Play p;
    p.start();
    p.press("2 2");
    QCOMPARE(p.game.MOVE_LOG, std::string("22"));
    QCOMPARE(p.game.MOVE_COUNT, 2.0f);
    QCOMPARE(p.label("TEXT15"), p.label("TEXT13"));
}

void TestEngine::solvingWithTheAnswer() {
    Play p;
    p.start();
    p.press("7");
    const std::string answer = p.game.ANSWER_LOG;
    QCOMPARE(p.label("TEXT5"), answer);

    p.press(answer.substr(0, answer.size() - 1));
    QCOMPARE(p.ui.beeps, 0);
    p.press(answer.substr(answer.size() - 1));
    QVERIFY(p.game.BOARD_IS_ORDERED());
    QCOMPARE(p.label("TEXT17"), " 6" + SOLVED);
    QCOMPARE(p.label("TEXT5"), answer); // the moves leave a shown answer alone
    QCOMPARE(p.ui.beeps, 1);

    p.press("7"); // the answer again on the solved board: message and beep again
    QCOMPARE(p.label("TEXT17"), " 6" + SOLVED);
    QCOMPARE(p.ui.beeps, 2);

    p.press("4"); // an operation on the solved board is counted like any other
    QCOMPARE(p.label("TEXT17"), std::string(" 7"));
    QCOMPARE(p.game.MOVE_LOG, answer + "4");
    QCOMPARE(p.ui.beeps, 2);

    p.press("6"); // a new problem clears the count and hides the answer
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT5"), std::string());
    QVERIFY(p.game.ANSWER_LOG.size() == 6);
}

void TestEngine::retry() {
    Play p;
    p.start();
    const Board problem = p.game.BOARD;
    const std::string answer = p.game.ANSWER_LOG;
    p.press("1 2 3 7 5");
    p.press("8");
    QCOMPARE(p.game.BOARD, problem);
    QCOMPARE(p.label("TEXT15"), rowText(show(problem)));
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14"})
        QCOMPARE(p.label(row), std::string());
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT4"), std::string());
    QCOMPARE(p.label("TEXT5"), std::string());
    QCOMPARE(p.game.MOVE_COUNT, 0.0f);
    QCOMPARE(p.game.MOVE_LOG, std::string());
    QCOMPARE(p.game.ANSWER_LOG, answer);
    QCOMPARE(p.ui.beeps, 0);

    p.press("4 8"); // retry again restores the same problem
    QCOMPARE(p.game.BOARD, problem);
    p.press("7");
    QCOMPARE(p.label("TEXT5"), answer);
}

void TestEngine::retryRightAfterANewProblem() {
    Play p;
    p.start();
    p.press("7");
    const auto before = p.ui.texts;
    p.press("8");
    auto after = p.ui.texts;
    for (const char* changed : {"TEXT11", "TEXT12", "TEXT13", "TEXT14", "TEXT5"}) {
        QVERIFY(after[changed] != before.at(changed));
        QCOMPARE(after[changed], std::string());
        after[changed] = before.at(changed);
    }
    QVERIFY(after == before);
}

void TestEngine::editBoxSetsTheCount_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<float>("count");
    QTest::addColumn<int>("steps");
    QTest::newRow("empty") << QByteArray("") << 0.0f << 1;
    QTest::newRow("0 typed after the start text") << QByteArray(" 60") << 60.0f << 60;
    QTest::newRow("1 typed before the start text") << QByteArray("1 6") << 1.0f << 1;
    QTest::newRow("pasted 2.5") << QByteArray("2.5") << 2.5f << 2;
    QTest::newRow("pasted -3") << QByteArray("-3") << -3.0f << 1;
    QTest::newRow("0.5") << QByteArray("0.5") << 0.5f << 1;
    QTest::newRow("1.9") << QByteArray("1.9") << 1.9f << 1;
    QTest::newRow("letters after") << QByteArray("12abc") << 12.0f << 12;
    QTest::newRow("full-width digits") << QByteArray("\x82\x50\x82\x51") << 0.0f << 1;
}

void TestEngine::editBoxSetsTheCount() {
    QFETCH(QByteArray, text);
    QFETCH(float, count);
    QFETCH(int, steps);
    Play p;
    p.start();
    p.press(p.game.ANSWER_LOG); // on the solved board, too, an edit is no move
    const Board board = p.game.BOARD;
    const auto labels = p.ui.texts;
    const int beeps = p.ui.beeps;

    p.type(text.toStdString());
    QCOMPARE(p.game.SCRAMBLE_COUNT, count);
    QCOMPARE(p.game.BOARD, board);
    QCOMPARE(p.game.EVENT_CODE, 9.0f);
    auto after = p.ui.texts;
    after["EDIT1"] = labels.at("EDIT1");
    QVERIFY(after == labels); // no label written
    QCOMPARE(p.ui.beeps, beeps);

    p.press("6");
    QCOMPARE(int(p.game.ANSWER_LOG.size()), steps);
}

void TestEngine::editBoxOverflowIsFatal() {
    Play p;
    p.start();
    p.ui.setText("EDIT1", std::string(40, '9'));
    p.game.EVENT_CODE = 10; // any code of 9 or more reads the edit box
    try {
        p.game.DISPATCH_EVENT();
        QFAIL("forty nines were taken as a count");
    } catch (const FatalError& e) {
        QCOMPARE(e.code(), FatalError::Overflow);
    }
}

void TestEngine::scrambleLength_data() {
    QTest::addColumn<float>("count");
    QTest::addColumn<int>("steps");
    QTest::newRow("1") << 1.0f << 1;
    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("-3") << -3.0f << 1;
    QTest::newRow("0.5") << 0.5f << 1;
    QTest::newRow("1.9") << 1.9f << 1;
    QTest::newRow("2.5") << 2.5f << 2;
    QTest::newRow("6") << 6.0f << 6;
    QTest::newRow("1000") << 1000.0f << 1000;
}

void TestEngine::scrambleLength() {
    QFETCH(float, count);
    QFETCH(int, steps);
    Play p;
    int second = 0;
    p.clock.next = [&] { return TimeOfDay{12, 0, second++ % 60}; };
    p.game.SCRAMBLE_COUNT = count;
    for (int i = 0; i < 20; ++i) {
        p.game.NEW_PROBLEM();
        QCOMPARE(int(p.game.ANSWER_LOG.size()), steps);
        QVERIFY(!p.game.BOARD_IS_ORDERED());
        QCOMPARE(applied(p.game.START_BOARD, p.game.ANSWER_LOG), board("1 2 3 4 5 6 7 8 9"));
    }
}

void TestEngine::scrambleFollowsTheRefusalRules() {
    Play p;
    int second = 0;
    p.clock.next = [&] { return TimeOfDay{8, 30, second++ % 60}; };
    p.game.SCRAMBLE_COUNT = 100000;
    p.game.NEW_PROBLEM();
    const std::string& a = p.game.ANSWER_LOG;
    QCOMPARE(a.size(), std::size_t(100000));
    const std::string disjoint[] = {"13", "14", "24", "31", "41", "42"};
    for (std::size_t i = 1; i < a.size(); ++i) {
        QVERIFY2(a[i] != a[i - 1], "the same operation twice in a row");
        if (i >= 2 && a[i] == a[i - 2]) {
            const std::string pair = a.substr(i - 1, 2);
            QVERIFY2(std::find(std::begin(disjoint), std::end(disjoint), pair) ==
                         std::end(disjoint),
                     ("a, b, a on disjoint windows: " + a.substr(i - 2, 3)).c_str());
        }
    }
    QCOMPARE(applied(p.game.START_BOARD, a), board("1 2 3 4 5 6 7 8 9"));
}

// Every step sequence the refusal rules allow, run on the engine's operations:
// only ten of length 6 lead back to the ordered row.
void TestEngine::sequencesThatReturnToTheOrderedRow() {
    Play p;
    int returning[8] = {};
    std::function<void(int, int, int)> walk = [&](int length, int last, int prev) {
        if (length > 0 && p.game.BOARD_IS_ORDERED()) ++returning[length];
        if (length == 7) return;
        for (int r = 1; r <= 5; ++r) {
            const bool disjoint = (r == 1 && (last == 3 || last == 4)) || (r == 2 && last == 4) ||
                                  (r == 3 && last == 1) || (r == 4 && (last == 1 || last == 2));
            if (r == last || (r == prev && disjoint)) continue;
            p.game.OP(r);
            walk(length + 1, r, last);
            p.game.OP(r);
        }
    };
    p.game.ORDER_BOARD();
    walk(0, 0, 6);
    QCOMPARE(QList<int>(returning + 1, returning + 8), QList<int>({0, 0, 0, 0, 0, 10, 0}));
}

void TestEngine::aScrambleBackToTheOrderedRowStartsOver() {
    // Find the generator state from which, with the seconds at 0, the accepted
    // steps are F1, F5, F1, F5, F1, F5.
    Play p;
    std::uint32_t state = 0;
    for (;; ++state) {
        Random r{state};
        std::string steps;
        int last = 0;
        while (steps.size() < 6) {
            const int d = 1 + int(double(r.NEXT_RANDOM()) * 5);
            if (d == last) continue; // after 1, 5, 1 rule 2 never refuses
            steps += char('0' + d);
            last = d;
        }
        if (steps == "151515") break;
    }
    p.game.RANDOM.RANDOM_STATE = state;
    p.game.SCRAMBLE_COUNT = 6;
    p.game.NEW_PROBLEM();

    const auto cleared = std::count(p.ui.writes.begin(), p.ui.writes.end(),
                                    std::make_pair(std::string("TEXT11"), TEN_BLANKS));
    QCOMPARE(cleared, 2); // made twice: the first scramble was undone
    QVERIFY(!p.game.BOARD_IS_ORDERED());
    QVERIFY(p.game.ANSWER_LOG != "515151");
    QCOMPARE(p.game.ANSWER_LOG.size(), std::size_t(6));
    QCOMPARE(applied(p.game.START_BOARD, p.game.ANSWER_LOG), board("1 2 3 4 5 6 7 8 9"));
}

void TestEngine::stepsForLargeCounts_data() {
    QTest::addColumn<float>("count");
    QTest::addColumn<quint64>("steps");
    QTest::newRow("largest count a float counter reaches") << 16777215.0f << quint64(16777215);
    QTest::newRow("2^24") << 16777216.0f << quint64(16777216);
    QTest::newRow("the next float after 2^24") << 16777218.0f << quint64(16777218);
    QTest::newRow("2^63") << 0x1p63f << (quint64(1) << 63);
    QTest::newRow("2^64 saturates") << 0x1p64f << ~quint64(0);
    QTest::newRow("largest float saturates") << std::numeric_limits<float>::max() << ~quint64(0);
}

void TestEngine::stepsForLargeCounts() {
    QFETCH(float, count);
    QFETCH(quint64, steps);
    QCOMPARE(quint64(SCRAMBLE_STEPS(count)), steps);
}

void TestEngine::countsFrom2To24ScrambleExactly_data() {
    QTest::addColumn<float>("count");
    QTest::newRow("2^24") << 16777216.0f;
    QTest::newRow("the next float after 2^24") << 16777218.0f;
}

// A float step counter would never pass 2^24; these scrambles end, and exactly.
void TestEngine::countsFrom2To24ScrambleExactly() {
    QFETCH(float, count);
    Play p;
    p.game.SCRAMBLE_COUNT = count;
    p.game.NEW_PROBLEM();
    QCOMPARE(double(p.game.ANSWER_LOG.size()), double(count));
    QCOMPARE(applied(p.game.START_BOARD, p.game.ANSWER_LOG), board("1 2 3 4 5 6 7 8 9"));
}

void TestEngine::longScrambleKeepsTheWindowResponsive() {
    struct Closed {};
    Play p;
    p.game.SCRAMBLE_COUNT = 16000000;
    p.ui.onTurn = [&] {
        if (p.ui.turns == 3) throw Closed{}; // the player closes the window
    };
    bool ended = false;
    try {
        p.game.NEW_PROBLEM();
    } catch (const Closed&) {
        ended = true;
    }
    QVERIFY(ended);
    QCOMPARE(p.ui.turns, 3);
}

QTEST_APPLESS_MAIN(TestEngine)
#include "tst_engine.moc"
