// MAINFORM: the game's one window, its 22 controls, its event handlers and the
// queue through which the player's input reaches them.
#pragma once

#include "engine/controls.h"
#include "window/event_queue.h"
#include "window/layout.h"
#include "window/surface.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

class QLabel;
class QPushButton;

namespace torvelo {

class DigitEdit;
class Game;

class MAINFORM final : public QWidget, public Controls {
    Q_OBJECT
  public:
    using Handler = void (MAINFORM::*)();
    static constexpr std::size_t EVENT_QUEUE_SIZE = 64;

    // Builds the window hidden, placed and sized; throws WindowNotOpened.
    MAINFORM();
    ~MAINFORM() override;

    // Builds the window, shows it and paints it once: the window as the game
    // starts with it. Throws WindowNotOpened.
    static std::unique_ptr<MAINFORM> open();

    // The game whose state the handlers change; it is made after the window,
    // since it writes into the window's controls.
    void connectGame(Game& game) { game_ = &game; }

    // Controls
    void setText(std::string_view name, const Text& text) override;
    const Text& text(std::string_view name) const override;
    void beep() override;
    // The move counter shown in inverse colours for a moment: the alert where
    // the platform has no sound.
    void visualBell();
    void keepResponsive() override;

    // Runs the handler of the oldest waiting event, first waiting for one if
    // there is none; exactly one handler per call.
    void WAIT_EVENT() override;

    // Draws the operation diagram onto the drawing surface and the screen.
    void DRAW_DIAGRAM() override;

    // The persistent bitmap from which the client area is repainted, at the
    // window's device pixel ratio: 640 x 468 pixels on an unscaled desktop.
    const QImage& surface() const { return surface_.image(); }

    void BUTTON1_ON();
    void BUTTON2_ON();
    void BUTTON3_ON();
    void BUTTON4_ON();
    void BUTTON5_ON();
    void BUTTON6_ON();
    void BUTTON7_ON();
    void BUTTON8_ON();
    void EDIT1_CHANGE();

    // The control of that name (any case), or nullptr.
    QWidget* control(std::string_view name) const;
    std::size_t pendingEvents() const { return EVENT_QUEUE.size(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Control {
        const ControlSpec* spec = nullptr;
        QWidget* widget = nullptr;
        QLabel* label = nullptr;
        QPushButton* button = nullptr;
        DigitEdit* edit = nullptr;
        Text text;                  // exactly what was set, or what the edit box holds
        std::size_t shownBytes = 0; // at most this much of text can be visible
    };

    bool pressOperationKey(QKeyEvent* event);
    void holdClientAreaOnWayland();
    Control* find(std::string_view name);
    const Control* find(std::string_view name) const;
    void build(Control& control, const ControlSpec& spec);
    void display(Control& control);
    void enqueue(Handler handler);
    void endIfAsked() const;
    Game& game();

    std::array<Control, CONTROL_COUNT> controls_;
    FixedQueue<Handler, EVENT_QUEUE_SIZE> EVENT_QUEUE;
    Game* game_ = nullptr;
    Surface surface_;
    QStringList textLayer_;        // the window font's 80 x 26 grid, blank in this game
    QElapsedTimer controlPressed_; // the last mouse press on a button or the edit box
    bool closed_ = false;
    bool interrupted_ = false;
    bool settingEdit_ = false;
};

} // namespace torvelo
