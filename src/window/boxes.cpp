#include "window/boxes.h"

#include "window/layout.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>

namespace torvelo {

namespace {

bool isModifierOnly(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock ||
           key == Qt::Key_NumLock;
}

// "任意のキーを押してください" means any key: whichever widget of the box has
// the focus, a key press dismisses it. A held key repeating, or a modifier on
// its own (the Ctrl still down from Ctrl+C), does not.
class AnyKeyBox final : public QMessageBox {
  public:
    AnyKeyBox(QWidget* parent, const QString& text, const QString& informative)
        : QMessageBox(QMessageBox::Warning, boxTitle(), text, QMessageBox::Ok, parent) {
        setInformativeText(informative);
        setTextFormat(Qt::PlainText);
        qApp->installEventFilter(this);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        // Wide enough that the title is not cut off beside a title bar's
        // buttons, even in a large title-bar font.
        if (auto* grid = qobject_cast<QGridLayout*>(layout()); grid && !widened_) {
            grid->addItem(
                new QSpacerItem(MINIMUM_WIDTH, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
            widened_ = true;
        }
        QMessageBox::showEvent(event);
        // Over the game's window, where the player is looking, whatever the
        // window manager would choose; where the window could not be opened,
        // over the place it opens at.
        const QRect over = parentWidget() ? parentWidget()->window()->frameGeometry()
                                          : QRect(WINDOW_X, WINDOW_Y, CLIENT_WIDTH, CLIENT_HEIGHT);
        QRect box = frameGeometry();
        box.moveCenter(over.center());
        move(box.topLeft());
        // Where no window manager gives a new window the focus, the box takes
        // it, so that "any key" reaches it.
        activateWindow();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != this) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || isModifierOnly(key->key())) return false;
        accept();
        return true;
    }

  private:
    static constexpr int MINIMUM_WIDTH = 320;
    bool widened_ = false;
};

void showBox(QWidget* parent, const QString& text, const QString& informative) {
    AnyKeyBox box(parent, text, informative);
    box.exec();
}

const QString pressAnyKey = QStringLiteral("任意のキーを押してください");
const QString notEnoughMemory = QStringLiteral("メモリが足りません");

} // namespace

QString boxTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".EXE");
}

void showInterruptedBox(QWidget* parent) {
    showBox(parent, QStringLiteral("中断しました"), pressAnyKey);
}

void showFatalErrorBox(QWidget* parent, int code) {
    showBox(parent, QStringLiteral("エラーが発生しました [%1]").arg(code), pressAnyKey);
}

void showNotEnoughMemoryBox(QWidget* parent) {
    showBox(parent, notEnoughMemory, pressAnyKey);
}

void showWindowNotOpenedBox(WindowNotOpened::Reason reason) {
    QString text;
    switch (reason) {
    case WindowNotOpened::Reason::CannotOpen:
        text = QStringLiteral("ウィンドウをオープンできません");
        break;
    case WindowNotOpened::Reason::NotEnoughMemory:
        text = notEnoughMemory;
        break;
    case WindowNotOpened::Reason::SystemTrouble:
        text = QStringLiteral("システムに異常があります");
        break;
    }
    showBox(nullptr, text, QString());
}

} // namespace torvelo
