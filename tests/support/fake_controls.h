// Stand-ins for the window and the clock, so whole games run without a window.
#pragma once

#include "engine/controls.h"
#include "text/clock.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace torvelo {

// Records every text the engine writes and counts beeps. Only the game's own
// control names exist, so a misspelt name fails the test.
class FakeControls : public Controls {
  public:
    FakeControls() {
        for (const char* name : {"TEXT1",   "TEXT2",   "TEXT3",   "TEXT4",   "TEXT5",   "TEXT11",
                                 "TEXT12",  "TEXT13",  "TEXT14",  "TEXT15",  "TEXT16",  "TEXT17",
                                 "TEXT18",  "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5",
                                 "BUTTON6", "BUTTON7", "BUTTON8", "EDIT1"})
            texts[name];
    }

    void setText(std::string_view name, const Text& text) override {
        Text copy = text; // the argument may be one of our own texts
        slot(name) = copy;
        // Like the real window's, the count box's change event is queued.
        if (upper(name) == "EDIT1") raise(countEdited);
        writes.emplace_back(upper(name), std::move(copy));
    }
    const Text& text(std::string_view name) const override {
        return const_cast<FakeControls*>(this)->slot(name);
    }
    void beep() override { ++beeps; }
    void keepResponsive() override {
        ++turns;
        if (onTurn) onTurn();
    }
    void DRAW_DIAGRAM() override { ++diagrams; }

    // The handler of the oldest queued event; a wait with nothing queued would
    // never end, so it is a mistake in the test.
    void WAIT_EVENT() override {
        if (events.empty()) throw std::logic_error("WAIT_EVENT with no event queued");
        const std::function<void()> handler = std::move(events.front());
        events.pop_front();
        if (handler) handler();
    }

    // Queues an event whose handler WAIT_EVENT will run.
    void raise(std::function<void()> handler) { events.push_back(std::move(handler)); }

    std::map<std::string, Text> texts;
    std::vector<std::pair<std::string, Text>> writes;
    int beeps = 0;
    int turns = 0;
    int diagrams = 0;
    std::function<void()> onTurn;
    std::function<void()> countEdited; // EDIT1_CHANGE, once a game is connected
    std::deque<std::function<void()>> events;

  private:
    static std::string upper(std::string_view name) {
        std::string s(name);
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return s;
    }
    Text& slot(std::string_view name) {
        auto it = texts.find(upper(name));
        if (it == texts.end()) throw UnknownControl(std::string(name));
        return it->second;
    }
};

// A clock whose seconds the test sets; by default every reading is 00:00:00.
class FakeClock : public Clock {
  public:
    TimeOfDay time;
    std::function<TimeOfDay()> next; // when set, each reading asks it
    TimeOfDay now() override { return next ? next() : time; }
};

} // namespace torvelo
