// The window-level copy commands: "コピー(&Y)" with its text and its
// text-and-graphics entries. Kept in one place so that a platform whose window
// menu can be extended can put them there; on X11 the window manager owns that
// menu, and the entries live in the window's context menu instead.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QMenu;

namespace torvelo {

// The text layer as plain text: each row without its trailing blanks, followed
// by a carriage return and a line feed; rows that are all blank are left out.
QString textLayerForClipboard(const QStringList& rows);

// Adds the "コピー(&Y)" submenu. The text entry copies the text layer; the
// text/graphics entry copies the drawing surface with the text layer over it.
void addCopyMenu(QMenu& menu, const QStringList& textLayer, const QImage& surface);

} // namespace torvelo
