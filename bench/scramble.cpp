// How much the problem generator costs per step beyond what a step must do.
//
// Runs NEW_PROBLEM with the largest count a float counter handles on the real
// clock, then a reference loop that does only the physical minimum per step:
// one clock read and one generator step per draw, the two refusal rules, and
// the exchange of cells. Prints both times and their ratio; asserts nothing.
#include "engine/game.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

using namespace torvelo;
using Seconds = std::chrono::duration<double>;

namespace {

class NoWindow : public Controls {
  public:
    void setText(std::string_view, const Text&) override {}
    const Text& text(std::string_view) const override { return empty_; }
    void beep() override {}
    void keepResponsive() override {}

  private:
    Text empty_;
};

constexpr long STEPS = 16777215;

double engineRun(long& checksum) {
    NoWindow window;
    SystemClock clock;
    Game game(window, clock);
    game.SCRAMBLE_COUNT = float(STEPS);
    const auto start = std::chrono::steady_clock::now();
    game.NEW_PROBLEM();
    const Seconds took = std::chrono::steady_clock::now() - start;
    checksum += game.BOARD[1] + long(game.ANSWER_LOG.size());
    return took.count();
}

double referenceRun(long& checksum) {
    SystemClock clock;
    Random random;
    short board[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const int pairs[6][4] = {{0, 0, 0, 0}, {3, 2, 4, 1}, {4, 3, 5, 2},
                             {7, 6, 8, 5}, {8, 7, 9, 6}, {8, 2, 9, 1}};
    const auto start = std::chrono::steady_clock::now();
    int last = 0;
    int prev = 6;
    for (long step = 0; step < STEPS; ++step) {
        int r;
        for (;;) {
            random.SEED_RANDOM(clock.now().seconds);
            r = 1 + int(double(random.NEXT_RANDOM()) * 5);
            if (r == last) continue;
            if (r == prev &&
                ((r == 1 && last == 3) || (r == 1 && last == 4) || (r == 2 && last == 4) ||
                 (r == 3 && last == 1) || (r == 4 && last == 1) || (r == 4 && last == 2)))
                continue;
            break;
        }
        std::swap(board[pairs[r][0]], board[pairs[r][1]]);
        std::swap(board[pairs[r][2]], board[pairs[r][3]]);
        prev = last;
        last = r;
    }
    const Seconds took = std::chrono::steady_clock::now() - start;
    checksum += board[1];
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
