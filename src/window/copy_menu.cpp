#include "window/copy_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace torvelo {

QString textLayerForClipboard(const QStringList& rows) {
    QString text;
    for (const QString& row : rows) {
        qsizetype end = row.size();
        while (end > 0 && row[end - 1] == u' ')
            --end;
        if (end == 0) continue;
        text += row.left(end) + QStringLiteral("\r\n");
    }
    return text;
}

void addCopyMenu(QMenu& menu, const QStringList& textLayer, const QImage& surface) {
    QMenu* copy = menu.addMenu(QStringLiteral("コピー(&Y)"));
    copy->addAction(QStringLiteral("テキスト(&T)"), [textLayer] {
        QApplication::clipboard()->setText(textLayerForClipboard(textLayer));
    });
    // The text layer is drawn with a transparent background, and in this game
    // it is blank: the picture is the surface as it is.
    copy->addAction(QStringLiteral("テキスト/グラフィック(&M)"),
                    [surface] { QApplication::clipboard()->setImage(surface); });
}

} // namespace torvelo
