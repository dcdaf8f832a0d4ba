#include "window/boxes.h"

#include <QApplication>
#include <QFileInfo>
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
    // Where no window manager gives a new window the focus, the box takes it,
    // so that "any key" reaches it.
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
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
