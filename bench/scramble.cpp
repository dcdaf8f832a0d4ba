// How much the problem generator costs per step beyond what a step must do.
//
// Runs NEW_PROBLEM with the largest count a float counter handles on the real
// clock, then a plain loop doing only what every step must: per draw one
// reading of the same clock and one generator step, the refusal rule, the
// exchange of cells, and the answer's digit. Both use the engine's own rule
// and exchange table, so the ratio measures the engine's loop alone. Prints
// both times and their ratio; asserts nothing.
#include "engine/game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace torvelo;
using Seconds = std::chrono::duration<double>;

namespace {

// A window that holds the count box's text and nothing else.
class NoWindow : public Controls {
  public:
    void setText(std::string_view, const Text&) override {}
    const Text& text(std::string_view) const override { return count; }
    void beep() override {}
    void keepResponsive() override {}
    void DRAW_DIAGRAM() override {}
    void WAIT_EVENT() override {}

    Text count;
};

constexpr long STEPS = 16777215;

double engineRun(long& checksum) {
    NoWindow window;
    SystemClock clock;
    Game game(window, clock);
    window.count = std::to_string(STEPS);
    game.EVENT_ON(Event::CountEdited);
    game.DISPATCH_EVENT();
    const auto start = std::chrono::steady_clock::now();
    game.NEW_PROBLEM();
    const Seconds took = std::chrono::steady_clock::now() - start;
    checksum += game.board()[1] + long(game.answerLog().size());
    return took.count();
}

double referenceRun(long& checksum) {
    SystemClock clock;
    Random random;
    Board board{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    Text answer;
    answer.reserve(STEPS);
    const auto start = std::chrono::steady_clock::now();
    int last = NO_LAST_OP;
    int prev = NO_PREV_OP;
    for (long step = 0; step < STEPS; ++step) {
        int r = 0;
        do {
            random.SEED_RANDOM(clock.now().seconds);
            r = 1 + int(double(random.NEXT_RANDOM()) * 5);
        } while (REFUSED(r, last, prev));
        applyOperation(board, r);
        prev = last;
        last = r;
        answer.push_back(char('0' + r));
    }
    std::reverse(answer.begin(), answer.end());
    const Seconds took = std::chrono::steady_clock::now() - start;
    checksum += board[1] + long(answer.size());
    return took.count();
}

} // namespace

int main() {
    long checksum = 0;
    double engine = 1e9;
    double reference = 1e9;
    // Alternate the two and keep each one's best, so that a busy moment of the
    // machine does not land on one side only.
    for (int round = 0; round < 3; ++round) {
        engine = std::min(engine, engineRun(checksum));
        reference = std::min(reference, referenceRun(checksum));
    }
    std::printf("scramble of %ld steps (best of 3)\n", STEPS);
    std::printf("  NEW_PROBLEM     %8.3f s  %6.1f ns/step\n", engine, engine / STEPS * 1e9);
    std::printf("  reference loop  %8.3f s  %6.1f ns/step\n", reference, reference / STEPS * 1e9);
    std::printf("  ratio           %8.2f\n", engine / reference);
    std::printf("  (checksum %ld)\n", checksum);
}
