// A long random game through the real window and engine: clicks on the
// buttons and texts pasted into the edit box, garbage and megabytes among
// them, with the game's invariants checked after every event against a model
// of the game kept here.
//
// 10,000 events by default; TORVELO_SOAK_EVENTS asks for more, and
// TORVELO_SOAK_SEED for another game (the seed is printed).
#include "../support/rows.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <algorithm>
#include <array>
#include <random>

using namespace torvelo;
using namespace torvelo::testing;

namespace {

const std::string ORDERED = "1 2 3 4 5 6 7 8 9";

long environmentNumber(const char* name, long fallback) {
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

// What the player pastes into the edit box, and the count it should give.
struct Paste {
    QString text;
    float count = 0;
    bool overflow = false;
};

class Player {
  public:
    explicit Player(std::uint32_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    Paste paste() {
        // A megabyte now and then (the box keeps what fits): enough to show
        // that nothing breaks, few enough to leave time for the rest.
        if (below(50) == 0) return {QStringLiteral("z") + garbage(1 << 20), 0};
        switch (below(5)) {
        case 0: { // a count, as typed
            const int n = below(51);
            return {QString::number(n), float(n)};
        }
        case 1: { // a count with something after it
            const int n = below(51);
            return {QString::number(n) + garbage(1 + below(20)), float(n)};
        }
        case 2: // garbage, control characters included: reads 0
            return {QStringLiteral("x") + garbage(below(200)), 0};
        case 3: // blanks, or nothing at all
            return {QString(below(4), u' '), 0};
        default: // beyond single precision: a fatal error
            return {below(2) ? QString(40, u'9') : QStringLiteral("1e39"), 0, true};
        }
    }

  private:
    QString garbage(int length) {
        static const char16_t pool[] = u"abcXYZ .,+-eE:\t\x01\x1f\x7f日本語１２？";
        QString out;
        out.reserve(length);
        for (int i = 0; i < length; ++i)
            out += QChar(pool[below(int(std::size(pool)) - 1)]);
        return out;
    }

    std::mt19937 random_;
};

} // namespace

class TestWindowSoak : public QObject {
    Q_OBJECT
  private slots:
    void randomGame();
};

void TestWindowSoak::randomGame() {
    const long events = environmentNumber("TORVELO_SOAK_EVENTS", 10000);
    const auto seed = std::uint32_t(environmentNumber("TORVELO_SOAK_SEED", 20261211));
    qInfo("%ld events, seed %u", events, seed);
    Player player(seed);

    Window w;
    w.clock.next = [&] { return TimeOfDay{12, 34, player.below(60)}; };
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.startUp();
    auto* edit = qobject_cast<QLineEdit*>(w.control("EDIT1"));

    // The model: the history rows, oldest first, and the count in the box.
    std::array<std::string, 5> rows{std::string(10, ' '), std::string(10, ' '),
                                    std::string(10, ' '), std::string(10, ' '),
                                    rowText(show(w.game.board()))};
    float count = 6;
    auto scroll = [&](const std::string& row) {
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        rows[4] = row;
    };

    for (long event = 0; event < events; ++event) {
        const int kind = player.below(10);
        QString what;
        if (kind < 5) { // an operation
            const int n = kind + 1;
            const Board expected = reversed(w.game.board(), n);
            w.click(qPrintable(QStringLiteral("BUTTON%1").arg(n)));
            w.turn();
            what = QStringLiteral("F%1").arg(n);
            QCOMPARE(w.game.board(), expected);
            scroll(rowText(show(expected)));
        } else if (kind == 5) { // a new problem
            w.click("BUTTON6");
            w.turn();
            what = QStringLiteral("new problem of %1").arg(double(count));
            QCOMPARE(double(w.game.answerLog().size()), std::max(1.0, std::floor(double(count))));
            QVERIFY(show(w.game.board()) != ORDERED);
            rows.fill(std::string(10, ' '));
            rows[4] = rowText(show(w.game.board()));
        } else if (kind == 6) { // the answer
            w.click("BUTTON7");
            w.turn();
            what = QStringLiteral("answer");
            QVERIFY(w.form.text("TEXT5") == w.game.answerLog());
        } else if (kind == 7) { // retry
            w.click("BUTTON8");
            w.turn();
            what = QStringLiteral("retry");
            QCOMPARE(w.game.board(), w.game.startBoard());
            rows.fill(std::string());
            rows[4] = rowText(show(w.game.startBoard()));
        } else { // something pasted into the count box
            const Paste paste = player.paste();
            what = QStringLiteral("paste of %1 characters").arg(paste.text.size());
            edit->setText(paste.text);
            bool overflowed = false;
            try {
                while (w.form.pendingEvents() > 0)
                    w.turn();
            } catch (const FatalError& error) {
                QCOMPARE(error.code(), FatalError::Overflow);
                overflowed = true;
            }
            QCOMPARE(overflowed, paste.overflow);
            if (overflowed) {
                // The real game ends here; this one goes on with a count.
                edit->setText(QStringLiteral("5"));
                w.turn();
                count = 5;
            } else {
                count = paste.count;
            }
            QCOMPARE(w.game.scrambleCount(), count);
        }

        // The invariants, after every event.
        const std::string context = what.toStdString() + " at event " + std::to_string(event);
        QVERIFY2(w.form.pendingEvents() == 0, context.c_str());
        std::string digits = show(w.game.board());
        std::sort(digits.begin(), digits.end());
        QVERIFY2(digits == "        123456789", context.c_str());
        for (int i = 0; i < 5; ++i)
            QVERIFY2(w.form.text("TEXT1" + std::to_string(i + 1)) == rows[std::size_t(i)],
                     (context + ": history row " + std::to_string(i + 1)).c_str());
        QVERIFY2(w.form.text("TEXT15") == rowText(show(w.game.board())), context.c_str());
        QVERIFY2(double(w.game.moveLog().size()) == double(w.game.moveCount()), context.c_str());
        QVERIFY2(w.form.text("TEXT4") == w.game.moveLog(), context.c_str());
        Board solved = w.game.startBoard();
        for (char step : w.game.answerLog())
            solved = reversed(solved, step - '0');
        QVERIFY2(show(solved) == ORDERED, context.c_str());
    }
}

QTEST_MAIN(TestWindowSoak)
#include "tst_window_soak.moc"
