// The kinds of control that behave differently from Qt's defaults.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace torvelo {

// A push button that Enter presses as Space does (shown down while held,
// clicked on release), and that leaves the arrow keys alone: the focus moves
// only with Tab and Shift+Tab.
class GameButton final : public QPushButton {
    Q_OBJECT
  public:
    explicit GameButton(QWidget* parent) : QPushButton(parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

// The edit box: from the keyboard, digits only (input-method commits
// included); pasted text and text the program sets go in as they are. Drawn
// with a thin one-pixel border.
class DigitEdit final : public QLineEdit {
    Q_OBJECT
  public:
    explicit DigitEdit(QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The cell ruler: a label whose k-th word stands centred over cell k's column
// of the diagram, whatever the face's widths. Its text, its accessible name
// and everything else about it are a plain label's.
class RulerLabel final : public QLabel {
    Q_OBJECT
  public:
    explicit RulerLabel(QWidget* parent) : QLabel(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace torvelo
