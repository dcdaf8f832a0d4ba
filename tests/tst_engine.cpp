// The engine played the way a player plays it: button presses become handler
// calls followed by the main loop's work, against a fake window and clock.
#include "engine/game.h"
#include "support/fake_controls.h"
#include "support/rows.h"
#include "text/random.h"

#include <QtTest>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

using namespace torvelo;
using namespace torvelo::testing;

namespace {

const std::string SOLVED = "   \x90\xB3\x89\xF0\x82\xC5\x82\xB7"; // "   正解です"
const std::string TEN_BLANKS(10, ' ');

// The generator's rules written out again, apart from the engine, as an
// oracle: a problem is `count` accepted draws (at least one), every draw, a
// refused one too, first mixes the clock's current seconds into the state, and
// a scramble that leads back to the ordered row starts over.
struct Generator {
    std::uint32_t state = 204;

    std::string problem(double count, const std::function<int()>& seconds) {
        for (;;) {
            Board b = board("1 2 3 4 5 6 7 8 9");
            std::string answer;
            int last = 0;
            int prev = 6;
            for (long n = 0; n < std::max(1L, long(count)); ++n) {
                int r = 0;
                do {
                    state ^= std::uint32_t(seconds());
                    std::uint32_t m = 0;
                    do {
                        state = state * 0x7AB34155u + 0x4C19ABE3u;
                        m = state >> 9;
                    } while (m == 0);
                    r = 1 + int(std::floor(m / 8388608.0 * 5));
                } while (r == last || (r == prev && disjoint(r, last)));
                b = reversed(b, r);
                prev = last;
                last = r;
                answer.insert(answer.begin(), char('0' + r));
            }
            if (b != board("1 2 3 4 5 6 7 8 9")) return answer;
        }
    }

    static bool disjoint(int r, int last) {
        return (r == 1 && (last == 3 || last == 4)) || (r == 2 && last == 4) ||
               (r == 3 && last == 1) || (r == 4 && (last == 1 || last == 2));
    }
};

// A game with its fake window, started as the main program starts it.
struct Play {
    FakeControls ui;
    FakeClock clock;
    Game game;

    explicit Play(Random random = {}) : game(ui, clock, random) {
        ui.countEdited = [this] { game.EVENT_ON(Event::CountEdited); };
    }

    void start() { game.START_UP(); }

    // One turn of the main loop: the oldest event's handler, then the loop's work.
    void turn() {
        ui.WAIT_EVENT();
        game.DISPATCH_EVENT();
    }

    // "1 3 5" presses F1, F3, F5; 6 new problem, 7 answer, 8 retry. Each press is
    // the button's handler followed by one turn of the main loop.
    void press(const std::string& buttons) {
        for (char c : buttons) {
            if (c == ' ') continue;
            const int n = c - '0';
            if (n <= 5)
                ui.raise([this, n] { game.OPERATION_ON(n); });
            else
                ui.raise([this, n] { game.EVENT_ON(Event(n)); });
            turn();
        }
    }

    // Typing into the edit box: its change event, then one turn of the loop.
    void type(const std::string& text) {
        ui.setText("EDIT1", text);
        turn();
    }

    // The count for the next problem, typed as its shortest exact text.
    void setCount(float count) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, count).ptr;
        type(std::string(text, end));
        QCOMPARE(game.scrambleCount(), count);
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
    void drawsFollowTheClockAcrossProblems();
    void aNewProblemForgetsTheLastScramble();
    void pressingRecordsTheMoves();
    void historyScrollsAfterTheFourthMove();
    void sameOperationTwice();
    void solvingWithTheAnswer();
    void retry();
    void retryRightAfterANewProblem();
    void aNewProblemIsNotAnnounced();
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
    QCOMPARE(show(p.game.board()), row.toStdString());
    QCOMPARE(p.game.eventCode(), code(Event::None)); // the routines report nothing
}

void TestEngine::handlerAppliesAndReportsTheOperation() {
    Play p;
    p.game.ORDER_BOARD();
    p.game.OPERATION_ON(5);
    QCOMPARE(show(p.game.board()), std::string("9 8 3 4 5 6 7 2 1"));
    QCOMPARE(p.game.eventCode(), code(Event::OperationF5));
    QVERIFY(p.ui.writes.empty()); // the display changes only when the loop has run
}

void TestEngine::workedExample() {
    Play p;
    p.start();
    QCOMPARE(p.game.answerLog(), std::string("343151"));
    QCOMPARE(show(p.game.board()), std::string("1 2 8 9 6 5 4 3 7"));
    QCOMPARE(p.label("TEXT15"), rowText("1 2 8 9 6 5 4 3 7"));
    QCOMPARE(p.game.startBoard(), p.game.board());
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14"})
        QCOMPARE(p.label(row), TEN_BLANKS);
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT4"), std::string());
    QCOMPARE(p.label("TEXT5"), std::string());
    QCOMPARE(p.game.eventCode(), code(Event::None));

    // Nine draws, three of them refused: the generator has stepped nine times.
    Random r;
    for (int i = 0; i < 9; ++i)
        r.NEXT_RANDOM();
    QCOMPARE(p.game.randomState(), r.RANDOM_STATE);
}

void TestEngine::everyDrawMixesTheSeconds() {
    Play p;
    p.clock.time.seconds = 37;
    p.setCount(1);
    p.game.NEW_PROBLEM();
    Random r;
    r.SEED_RANDOM(37);
    const int first = 1 + int(double(r.NEXT_RANDOM()) * 5);
    QCOMPARE(p.game.answerLog(), std::to_string(first));
    QCOMPARE(p.game.randomState(), r.RANDOM_STATE);
}

// A clock whose seconds move on at every reading: the problems follow only if
// each draw, refused ones too, mixes in the seconds it reads, and the state
// carries on from one problem to the next.
void TestEngine::drawsFollowTheClockAcrossProblems() {
    int engineReading = 0;
    int oracleReading = 0;
    auto secondsOf = [](int reading) { return (reading * 7 + 3) % 60; };
    Play p;
    p.clock.next = [&] { return TimeOfDay{9, 15, secondsOf(engineReading++)}; };
    Generator oracle;
    int refused = 0;
    for (double count : {50.0, 7.0, 1.0, 30.0}) {
        p.setCount(float(count));
        p.press("6");
        const std::string expected =
            oracle.problem(count, [&] { return secondsOf(oracleReading++); });
        QCOMPARE(p.game.answerLog(), expected);
        QCOMPARE(p.game.randomState(), oracle.state);
        refused += oracleReading - int(std::max(1.0, count));
        oracleReading = engineReading;
    }
    QVERIFY(refused > 0); // refused draws were part of it
}

// Each problem starts its refusal rules afresh: its first step may repeat the
// last step of the problem before, and does here.
void TestEngine::aNewProblemForgetsTheLastScramble() {
    for (int second = 0; second < 60; ++second) {
        Generator oracle;
        const std::string first = oracle.problem(7, [&] { return second; });
        const std::string second_ = oracle.problem(7, [&] { return second; });
        if (second_.back() != first.front()) continue; // first steps differ
        Play p;
        p.clock.time.seconds = second;
        p.setCount(7);
        p.game.NEW_PROBLEM();
        QCOMPARE(p.game.answerLog(), first);
        p.press("6");
        QCOMPARE(p.game.answerLog(), second_);
        return;
    }
    QFAIL("no clock second repeats a step across two problems");
}

void TestEngine::pressingRecordsTheMoves() {
    Play p;
    p.start();
    const Board problem = p.game.board();
    p.press("1 3 5");
    QCOMPARE(p.game.moveLog(), std::string("135"));
    QCOMPARE(p.label("TEXT4"), std::string("135"));
    QCOMPARE(p.label("TEXT17"), std::string(" 3"));
    QCOMPARE(p.label("TEXT15"), rowText(show(applied(problem, "135"))));
    QCOMPARE(p.label("TEXT14"), rowText(show(applied(problem, "13"))));
    QCOMPARE(p.label("TEXT13"), rowText(show(applied(problem, "1"))));
    QCOMPARE(p.label("TEXT12"), rowText(show(problem)));
    QCOMPARE(p.label("TEXT11"), TEN_BLANKS);
    QCOMPARE(p.label("TEXT15").size(), std::size_t(19));
    QCOMPARE(p.game.eventCode(), code(Event::None));
    QCOMPARE(p.ui.beeps, 0);
}

void TestEngine::historyScrollsAfterTheFourthMove() {
    Play p;
    p.start();
    const Board problem = p.game.board();
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
    QCOMPARE(p.game.moveLog(), std::string("22"));
    QCOMPARE(p.game.moveCount(), 2.0f);
    QCOMPARE(p.label("TEXT15"), p.label("TEXT13"));
}

void TestEngine::solvingWithTheAnswer() {
    Play p;
    p.start();
    p.press("7");
    const std::string answer = p.game.answerLog();
    QCOMPARE(p.label("TEXT5"), answer);

    p.press(answer.substr(0, answer.size() - 1));
    QCOMPARE(p.ui.beeps, 0);
    p.press(answer.substr(answer.size() - 1));
    QVERIFY(p.game.boardIsOrdered());
    QCOMPARE(p.label("TEXT17"), " 6" + SOLVED);
    QCOMPARE(p.label("TEXT5"), answer); // the moves leave a shown answer alone
    QCOMPARE(p.ui.beeps, 1);

    p.press("7"); // the answer again on the solved board: message and beep again
    QCOMPARE(p.label("TEXT17"), " 6" + SOLVED);
    QCOMPARE(p.ui.beeps, 2);

    p.press("4"); // an operation on the solved board is counted like any other
    QCOMPARE(p.label("TEXT17"), std::string(" 7"));
    QCOMPARE(p.game.moveLog(), answer + "4");
    QCOMPARE(p.ui.beeps, 2);

    p.press("6"); // a new problem clears the count and hides the answer
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT5"), std::string());
    QVERIFY(p.game.answerLog().size() == 6);
}

void TestEngine::retry() {
    Play p;
    p.start();
    const Board problem = p.game.board();
    const std::string answer = p.game.answerLog();
    p.press("1 2 3 7 5");
    p.press("8");
    QCOMPARE(p.game.board(), problem);
    QCOMPARE(p.label("TEXT15"), rowText(show(problem)));
    for (const char* row : {"TEXT11", "TEXT12", "TEXT13", "TEXT14"})
        QCOMPARE(p.label(row), std::string());
    QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    QCOMPARE(p.label("TEXT4"), std::string());
    QCOMPARE(p.label("TEXT5"), std::string());
    QCOMPARE(p.game.moveCount(), 0.0f);
    QCOMPARE(p.game.moveLog(), std::string());
    QCOMPARE(p.game.answerLog(), answer);
    QCOMPARE(p.ui.beeps, 0);

    p.press("4 8"); // retry again restores the same problem
    QCOMPARE(p.game.board(), problem);
    p.press("7");
    QCOMPARE(p.label("TEXT5"), answer);

    // The empty rows retry leaves scroll up as they are, empty, not blank.
    p.press("8 2 5");
    QCOMPARE(p.label("TEXT11"), std::string());
    QCOMPARE(p.label("TEXT12"), std::string());
    QCOMPARE(p.label("TEXT13"), rowText(show(problem)));
    QCOMPARE(p.label("TEXT14"), rowText(show(applied(problem, "2"))));
    QCOMPARE(p.label("TEXT15"), rowText(show(applied(problem, "25"))));
}

// A new problem is never the ordered row, so the solved check after it is
// silent, whatever came before.
void TestEngine::aNewProblemIsNotAnnounced() {
    Play p;
    int second = 0;
    p.clock.next = [&] { return TimeOfDay{7, 0, second++ % 60}; };
    p.start();
    p.press(p.game.answerLog()); // solved: announced once
    QCOMPARE(p.ui.beeps, 1);
    for (int i = 0; i < 50; ++i) {
        p.press("6");
        QCOMPARE(p.label("TEXT17"), std::string(" 0"));
    }
    QCOMPARE(p.ui.beeps, 1);
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
    QTest::newRow("exactly 2") << QByteArray("2") << 2.0f << 2;
    QTest::newRow("letters after") << QByteArray("12abc") << 12.0f << 12;
    QTest::newRow("full-width digits") << QByteArray("\x82\x50\x82\x51") << 0.0f << 1;
}

void TestEngine::editBoxSetsTheCount() {
    QFETCH(QByteArray, text);
    QFETCH(float, count);
    QFETCH(int, steps);
    Play p;
    p.start();
    p.press(p.game.answerLog()); // on the solved board, too, an edit is no move
    const Board board = p.game.board();
    const auto labels = p.ui.texts;
    const int beeps = p.ui.beeps;

    p.type(text.toStdString());
    QCOMPARE(p.game.scrambleCount(), count);
    QCOMPARE(p.game.board(), board);
    QCOMPARE(p.game.eventCode(), code(Event::CountEdited));
    auto after = p.ui.texts;
    after["EDIT1"] = labels.at("EDIT1");
    QVERIFY(after == labels); // no label written
    QCOMPARE(p.ui.beeps, beeps);

    p.press("6");
    QCOMPARE(int(p.game.answerLog().size()), steps);
}

void TestEngine::editBoxOverflowIsFatal() {
    Play p;
    p.start();
    p.ui.setText("EDIT1", std::string(40, '9'));
    p.game.EVENT_ON(Event(10)); // any code of 9 or more reads the edit box
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
    p.setCount(count);
    for (int i = 0; i < 20; ++i) {
        p.game.NEW_PROBLEM();
        QCOMPARE(int(p.game.answerLog().size()), steps);
        QVERIFY(!p.game.boardIsOrdered());
        QCOMPARE(applied(p.game.startBoard(), p.game.answerLog()), board("1 2 3 4 5 6 7 8 9"));
    }
}

void TestEngine::scrambleFollowsTheRefusalRules() {
    Play p;
    int second = 0;
    p.clock.next = [&] { return TimeOfDay{8, 30, second++ % 60}; };
    p.setCount(100000);
    p.game.NEW_PROBLEM();
    const std::string& a = p.game.answerLog();
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
    QCOMPARE(applied(p.game.startBoard(), a), board("1 2 3 4 5 6 7 8 9"));
}

// Every step sequence the engine's refusal rule allows, run on its operations:
// only ten of length 6 lead back to the ordered row.
void TestEngine::sequencesThatReturnToTheOrderedRow() {
    const Board ordered = board("1 2 3 4 5 6 7 8 9");
    Board b = ordered;
    int returning[8] = {};
    std::function<void(int, int, int)> walk = [&](int length, int last, int prev) {
        if (length > 0 && b == ordered) ++returning[length];
        if (length == 7) return;
        for (int r = 1; r <= 5; ++r) {
            if (REFUSED(r, last, prev)) continue;
            applyOperation(b, r);
            walk(length + 1, r, last);
            applyOperation(b, r);
        }
    };
    walk(0, NO_LAST_OP, NO_PREV_OP);
    QCOMPARE(QList<int>(returning + 1, returning + 8), QList<int>({0, 0, 0, 0, 0, 10, 0}));
}

void TestEngine::aScrambleBackToTheOrderedRowStartsOver() {
    // Find the generator state from which, with the seconds at 0, the accepted
    // steps are F1, F5, F1, F5, F1, F5.
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
    Play p(Random{state});
    p.setCount(6);
    p.game.NEW_PROBLEM();

    const auto cleared = std::count(p.ui.writes.begin(), p.ui.writes.end(),
                                    std::make_pair(std::string("TEXT11"), TEN_BLANKS));
    QCOMPARE(cleared, 2); // made twice: the first scramble was undone
    QVERIFY(!p.game.boardIsOrdered());
    QVERIFY(p.game.answerLog() != "515151");
    QCOMPARE(p.game.answerLog().size(), std::size_t(6));
    QCOMPARE(applied(p.game.startBoard(), p.game.answerLog()), board("1 2 3 4 5 6 7 8 9"));
}

void TestEngine::stepsForLargeCounts_data() {
    QTest::addColumn<float>("count");
    QTest::addColumn<quint64>("steps");
    QTest::newRow("largest count a float counter reaches") << 16777215.0f << quint64(16777215);
    QTest::newRow("2^24") << 16777216.0f << quint64(16777216);
    QTest::newRow("the next float after 2^24") << 16777218.0f << quint64(16777218);
    QTest::newRow("just below the cap") << 67108860.0f << quint64(67108860);
    QTest::newRow("2^26, the cap") << 0x1p26f << quint64(67108864);
    QTest::newRow("the next float after 2^26") << 67108872.0f << quint64(67108864);
    QTest::newRow("99999999999 typed") << 99999999999.0f << quint64(67108864);
    QTest::newRow("2^64") << 0x1p64f << quint64(67108864);
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << quint64(67108864);
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
    QTest::newRow("beyond the cap: 2^26 steps") << 1e11f;
}

// A float step counter would never pass 2^24; these scrambles end, exactly,
// and a count beyond 2^26 scrambles 2^26 steps.
void TestEngine::countsFrom2To24ScrambleExactly() {
    QFETCH(float, count);
    Play p;
    p.setCount(count);
    p.game.NEW_PROBLEM();
    QCOMPARE(double(p.game.answerLog().size()), std::min(double(count), 67108864.0));
    QCOMPARE(applied(p.game.startBoard(), p.game.answerLog()), board("1 2 3 4 5 6 7 8 9"));
}

void TestEngine::longScrambleKeepsTheWindowResponsive() {
    struct Closed {};
    Play p;
    p.setCount(16000000);
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
