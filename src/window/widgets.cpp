#include "window/widgets.h"

#include "window/layout.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

namespace torvelo {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (!isDigit(c)) return false;
    return true;
}

// Whether QLineEdit would insert this key's text: the same test Qt applies
// (printable or formatting characters, not with Ctrl or Ctrl+Shift held), so
// that editing keys and shortcuts such as paste and undo keep working.
bool typesText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse || c.isHighSurrogate();
}

// A key event like the given one, but for Space.
QKeyEvent asSpace(const QKeyEvent* event) {
    return QKeyEvent(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                     event->isAutoRepeat(), static_cast<quint16>(event->count()));
}

constexpr int editBorder = 1;
constexpr int editPadding = 1;

} // namespace

void GameButton::keyPressEvent(QKeyEvent* event) {
    if (isArrow(event->key())) {
        event->ignore();
        return;
    }
    if (isEnter(event->key())) {
        QKeyEvent space = asSpace(event);
        QPushButton::keyPressEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QPushButton::keyPressEvent(event);
}

void GameButton::keyReleaseEvent(QKeyEvent* event) {
    if (isEnter(event->key())) {
        QKeyEvent space = asSpace(event);
        QPushButton::keyReleaseEvent(&space);
        event->setAccepted(space.isAccepted());
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

DigitEdit::DigitEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAutoFillBackground(true);
    const int margin = editBorder + editPadding;
    setTextMargins(margin, editBorder, margin, editBorder);
}

void DigitEdit::keyPressEvent(QKeyEvent* event) {
    if (typesText(event) && !allDigits(event->text())) {
        event->accept(); // refused, and not passed on to the window
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DigitEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (allDigits(commit)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString digits;
    for (QChar c : commit)
        if (isDigit(c)) digits += c;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(digits, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

void DigitEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(0, 0, 0), editBorder));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// Centring the label's text as a whole puts the digits wherever the face's
// advances and blanks happen to fall (the full-width first digit alone is
// twice as wide as the others), so the ruler would number the wrong brackets.
// Each word's ink is centred on its column instead; the text stays as it is.
void RulerLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font(), this);
    const QStringList words = text().split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QRectF ink = metrics.tightBoundingRect(words[i]);
        // The column is a pixel; its centre is half a pixel in.
        const qreal centre = cellColumn(static_cast<int>(i) + 1) - x() + 0.5;
        painter.drawText(QPointF(centre - ink.center().x(), metrics.ascent()), words[i]);
    }
}

} // namespace torvelo
