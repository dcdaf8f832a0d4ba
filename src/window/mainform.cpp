#include "window/mainform.h"

#include "engine/game.h"
#include "window/boxes.h"
#include "window/copy_menu.h"
#include "window/cp932.h"
#include "window/fonts.h"
#include "window/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace torvelo {

namespace {

struct HandlerOf {
    std::string_view control;
    MAINFORM::Handler handler;
};

// The nine events the game handles; nothing else the window reports is queued.
const HandlerOf handlers[] = {
    {"BUTTON1", &MAINFORM::BUTTON1_ON}, {"BUTTON2", &MAINFORM::BUTTON2_ON},
    {"BUTTON3", &MAINFORM::BUTTON3_ON}, {"BUTTON4", &MAINFORM::BUTTON4_ON},
    {"BUTTON5", &MAINFORM::BUTTON5_ON}, {"BUTTON6", &MAINFORM::BUTTON6_ON},
    {"BUTTON7", &MAINFORM::BUTTON7_ON}, {"BUTTON8", &MAINFORM::BUTTON8_ON},
    {"EDIT1", &MAINFORM::EDIT1_CHANGE},
};

MAINFORM::Handler handlerOf(std::string_view control) {
    for (const HandlerOf& entry : handlers)
        if (entry.control == control) return entry.handler;
    throw std::logic_error("no handler for " + std::string(control));
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// How much of a text a control can possibly show. A visible character is at
// least one pixel wide and at most two bytes, and a line break is one more byte,
// so a line of a label holds at most 2 * (width + 1) + 1 bytes; the lines are
// those that start within the label's height. A 16,777,215-digit operation
// order thus costs Qt a few thousand bytes to lay out. The bound assumes no
// line runs on unseen past the label's right edge, as a word wider than the
// label or a long run of blanks does, with a further word after it on a line
// still in view; the game's long texts (the operation order, the answer) are
// single words in one-line labels.
std::size_t visibleBytes(const ControlSpec& spec, const QFont& font) {
    const std::size_t perLine = 2 * (static_cast<std::size_t>(spec.width) + 1) + 1;
    if (spec.kind != ControlKind::Label && spec.kind != ControlKind::Ruler) return perLine;
    const int lineSpacing = std::max(1, QFontMetrics(font).lineSpacing());
    const auto lines = static_cast<std::size_t>((spec.height + lineSpacing - 1) / lineSpacing);
    return lines * perLine;
}

void setColours(QWidget* widget, const ControlSpec& spec) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(spec.textColour));
    palette.setColor(QPalette::Window, QColor::fromRgb(spec.background));
    // The edit box draws its text and its inside in these roles; buttons keep
    // the platform's own button colours.
    palette.setColor(QPalette::Text, QColor::fromRgb(spec.textColour));
    palette.setColor(QPalette::Base, QColor::fromRgb(spec.background));
    widget->setPalette(palette);
}

// Qt's Wayland plugins ("wayland", "wayland-egl") lack what its X plugin has.
bool onWayland() {
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

// The drawing surface, made with the window and white from the start.
Surface makeSurface(qreal devicePixelRatio) {
    try {
        return Surface(QSize(CLIENT_WIDTH, CLIENT_HEIGHT), QColor::fromRgb(WINDOW_BACKGROUND),
                       devicePixelRatio);
    } catch (const std::bad_alloc&) {
        throw WindowNotOpened(WindowNotOpened::Reason::SystemTrouble);
    }
}

} // namespace

MAINFORM::MAINFORM()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      surface_(makeSurface(devicePixelRatioF())) {
    if (!QGuiApplication::primaryScreen())
        throw WindowNotOpened(WindowNotOpened::Reason::CannotOpen);
    mapMissingFaces();

    setWindowTitle(QStringLiteral("Torvelo"));
    // In the Tab cycle after BUTTON8; clicks give it the focus through
    // mousePressEvent, and for the left button only.
    setFocusPolicy(Qt::TabFocus);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(WINDOW_BACKGROUND));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(layoutFont(WINDOW_FACE, WINDOW_FONT_PIXELS));
    textLayer_ = QStringList(GRID_ROWS, QString(GRID_COLUMNS, u' '));

    move(WINDOW_X, WINDOW_Y);
    resize(CLIENT_WIDTH, CLIENT_HEIGHT);
    setMaximumSize(CLIENT_WIDTH, CLIENT_HEIGHT);

    // Creation order is focus order.
    for (std::size_t i = 0; i < LAYOUT.size(); ++i)
        build(controls_[i], LAYOUT[i]);
}

MAINFORM::~MAINFORM() = default;

std::unique_ptr<MAINFORM> MAINFORM::open() {
    std::unique_ptr<MAINFORM> form;
    try {
        form = std::make_unique<MAINFORM>();
    } catch (const std::bad_alloc&) {
        throw WindowNotOpened(WindowNotOpened::Reason::NotEnoughMemory);
    } catch (const Cp932Unavailable&) {
        throw WindowNotOpened(WindowNotOpened::Reason::CannotOpen);
    }
    form->show();
    // A window manager activates a new window; without one (a kiosk, a bare X
    // session) nobody does, and Tab and Ctrl+C would do nothing until the
    // player clicked. Qt asks the manager, or sets the X input focus itself.
    form->activateWindow();
    form->holdClientAreaOnWayland();
    // Painted before the start-up steps run; a close made now is honoured by
    // the first wait.
    QCoreApplication::processEvents();
    return form;
}

void MAINFORM::holdClientAreaOnWayland() {
    if (!onWayland()) return;
    // Qt's Wayland plugin draws the title bar itself but hands the compositor
    // the size limit of the client area alone, as the limit of the whole
    // window; a compositor that enforces it (mutter) then shrinks the client
    // area by the bar. The limit it is handed must include the bar.
    const QMargins bar = windowHandle()->frameMargins();
    setMaximumSize(CLIENT_WIDTH + bar.left() + bar.right(),
                   CLIENT_HEIGHT + bar.top() + bar.bottom());
}

void MAINFORM::build(Control& control, const ControlSpec& spec) {
    control.spec = &spec;
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Ruler: {
        auto* label = spec.kind == ControlKind::Ruler ? new RulerLabel(this) : new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        label->setWordWrap(spec.wrap);
        label->setAlignment(spec.alignment);
        control.label = label;
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto* button = new GameButton(this);
        button->setAutoDefault(false);
        button->setDefault(false);
        // A right click on a button opens no menu, not even the window's.
        button->setContextMenuPolicy(Qt::PreventContextMenu);
        control.button = button;
        widget = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new DigitEdit(this);
        edit->setAlignment(spec.alignment);
        control.edit = edit;
        widget = edit;
        break;
    }
    }
    control.widget = widget;
    if (!control.label) widget->installEventFilter(this);
    widget->setObjectName(
        QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
    // Screen readers read a control's text as its name, and this as what it is for.
    widget->setAccessibleDescription(QString::fromUtf8(spec.description));
    setColours(widget, spec);
    widget->setFont(layoutFont(spec.face, fontPixelHeight(spec.points, screen())));
    widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
    control.shownBytes = control.edit ? 2 * static_cast<std::size_t>(control.edit->maxLength())
                                      : visibleBytes(spec, widget->font());
    setText(spec.name, cp932Text(QString::fromUtf8(spec.text)));

    // Signals only queue; the handlers run in WAIT_EVENT.
    if (control.button) {
        const Handler handler = handlerOf(spec.name);
        connect(control.button, &QPushButton::clicked, this, [this, handler] { enqueue(handler); });
    }
    if (control.edit) {
        const Handler handler = handlerOf(spec.name);
        connect(control.edit, &QLineEdit::textChanged, this,
                [this, &control, handler](const QString& text) {
                    if (!settingEdit_) control.text = cp932Text(text);
                    enqueue(handler);
                });
    }
}

MAINFORM::Control* MAINFORM::find(std::string_view name) {
    for (Control& control : controls_)
        if (control.spec && sameName(control.spec->name, name)) return &control;
    return nullptr;
}

const MAINFORM::Control* MAINFORM::find(std::string_view name) const {
    return const_cast<MAINFORM*>(this)->find(name);
}

QWidget* MAINFORM::control(std::string_view name) const {
    const Control* control = find(name);
    return control ? control->widget : nullptr;
}

void MAINFORM::setText(std::string_view name, const Text& text) {
    Control* control = find(name);
    if (!control) throw UnknownControl(std::string(name));
    control->text = text;
    display(*control);
}

const Text& MAINFORM::text(std::string_view name) const {
    const Control* control = find(name);
    if (!control) throw UnknownControl(std::string(name));
    return control->text;
}

void MAINFORM::display(Control& control) {
    const std::string_view bytes(control.text);
    QString shown = displayText(bytes.substr(0, cp932Prefix(bytes, control.shownBytes)));
    // ROW_TEXT ends in a carriage return. Qt draws one as a blank, and after the
    // row's last blank that shows nothing; but a screen reader would speak it,
    // so a label is handed the blank it looks like. Read back, the control
    // still gives the carriage return.
    if (control.label) control.label->setText(shown.replace(u'\r', u' '));
    if (control.button) control.button->setText(shown);
    if (control.edit) {
        // The program's own setting raises the change event like typing does,
        // but keeps the exact bytes it set for reading back.
        settingEdit_ = true;
        control.edit->setText(shown);
        settingEdit_ = false;
    }
}

void MAINFORM::beep() {
    // Qt's Wayland plugin has no bell: beep() sends nothing there. The move
    // counter flashes instead, a visual bell, so that a solved row is still
    // announced beyond its text.
    if (onWayland())
        visualBell();
    else
        QApplication::beep();
}

void MAINFORM::visualBell() {
    constexpr int FLASH_MS = 200;
    const Control& counter = *find(control::MOVE_COUNTER);
    // The layout's colours swapped, however many flashes overlap; then the
    // layout's colours again.
    QPalette flashed = counter.widget->palette();
    flashed.setColor(QPalette::WindowText, QColor::fromRgb(counter.spec->background));
    flashed.setColor(QPalette::Window, QColor::fromRgb(counter.spec->textColour));
    counter.widget->setPalette(flashed);
    QTimer::singleShot(FLASH_MS, counter.widget, [widget = counter.widget, spec = counter.spec] {
        setColours(widget, *spec);
    });
}

void MAINFORM::keepResponsive() {
    QCoreApplication::processEvents();
    endIfAsked();
}

void MAINFORM::WAIT_EVENT() {
    endIfAsked();
    while (EVENT_QUEUE.empty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        endIfAsked();
    }
    const Handler handler = EVENT_QUEUE.pop();
    (this->*handler)();
}

void MAINFORM::enqueue(Handler handler) {
    // A full queue drops the event without notice.
    EVENT_QUEUE.push(handler);
}

void MAINFORM::endIfAsked() const {
    if (closed_) throw GameEnded(GameEnded::Reason::Closed);
    if (interrupted_) throw GameEnded(GameEnded::Reason::Interrupted);
}

Game& MAINFORM::game() {
    if (!game_) throw std::logic_error("MAINFORM has no game connected");
    return *game_;
}

void MAINFORM::BUTTON1_ON() {
    game().OPERATION_ON(1);
}
void MAINFORM::BUTTON2_ON() {
    game().OPERATION_ON(2);
}
void MAINFORM::BUTTON3_ON() {
    game().OPERATION_ON(3);
}
void MAINFORM::BUTTON4_ON() {
    game().OPERATION_ON(4);
}
void MAINFORM::BUTTON5_ON() {
    game().OPERATION_ON(5);
}
void MAINFORM::BUTTON6_ON() {
    game().EVENT_ON(Event::NewProblemAsked);
}
void MAINFORM::BUTTON7_ON() {
    game().EVENT_ON(Event::AnswerAsked);
}
void MAINFORM::BUTTON8_ON() {
    game().EVENT_ON(Event::RetryAsked);
}
void MAINFORM::EDIT1_CHANGE() {
    game().EVENT_ON(Event::CountEdited);
}

void MAINFORM::closeEvent(QCloseEvent* event) {
    // Never refused: the close ends the game once Qt has returned to us.
    closed_ = true;
    event->accept();
}

bool MAINFORM::pressOperationKey(QKeyEvent* event) {
    // Plain F1 to F5 only: with a modifier the key is the desktop's (Alt+F4).
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers != Qt::NoModifier || key < Qt::Key_F1 || key > Qt::Key_F5) return false;
    static constexpr std::string_view buttons[] = {"BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4",
                                                   "BUTTON5"};
    QPushButton* button = find(buttons[key - Qt::Key_F1])->button;
    if (event->type() == QEvent::KeyPress) {
        // A click queues the event just as the mouse's does; each press the
        // platform's key repeat sends is one more.
        button->click();
        button->setDown(true); // shown pressed while the key is held
    } else if (!event->isAutoRepeat()) {
        button->setDown(false);
    }
    event->accept();
    return true;
}

void MAINFORM::keyPressEvent(QKeyEvent* event) {
    if (pressOperationKey(event)) return;
    // Ctrl+C interrupts only while the window itself has the focus; a control
    // that passes the key on (a button) does not count.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (hasFocus() && event->key() == Qt::Key_C && (modifiers & Qt::ControlModifier) &&
        !(modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        interrupted_ = true;
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MAINFORM::keyReleaseEvent(QKeyEvent* event) {
    if (!pressOperationKey(event)) QWidget::keyReleaseEvent(event);
}

void MAINFORM::mousePressEvent(QMouseEvent* event) {
    // Labels pass their clicks on to here, so a click on a label counts too.
    if (event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
    event->accept();
}

void MAINFORM::paintEvent(QPaintEvent*) {
    // A window moved to a screen of another scale gets its bitmap made anew
    // there, lines and all; the painter clips to what needs repainting.
    surface_.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), surface_.image());
}

void MAINFORM::contextMenuEvent(QContextMenuEvent* event) {
    // Reaches here from the free area and from labels; the edit box keeps its
    // own editing menu and buttons offer none.
    QMenu menu(this);
    // The picture is the surface at one pixel per logical pixel, 640 x 468,
    // whatever the desktop's scale.
    addCopyMenu(menu, textLayer_, surface_.imageAt(1));
    menu.exec(event->globalPos());
}

bool MAINFORM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) controlPressed_.start();
    // The buttons are labelled Ｆ１ to Ｆ５, so the keys press them, from
    // whichever control has the focus, before the control sees them.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        if (pressOperationKey(static_cast<QKeyEvent*>(event))) return true;
    return QWidget::eventFilter(watched, event);
}

void MAINFORM::changeEvent(QEvent* event) {
    // Qt would hand the focus back to the control that last had it. But when a
    // click on a control is what activated the window, the control keeps the
    // focus it took: X11 may deliver the press before the activation.
    constexpr qint64 SAME_CLICK_MS = 500;
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        !(controlPressed_.isValid() && controlPressed_.elapsed() < SAME_CLICK_MS))
        setFocus(Qt::ActiveWindowFocusReason);
    QWidget::changeEvent(event);
}

} // namespace torvelo
