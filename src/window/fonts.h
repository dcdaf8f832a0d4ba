// The window's faces and their sizes.
#pragma once

#include <QFont>

class QScreen;

namespace torvelo {

// The character height in pixels of a font of the given points at the given
// logical resolution (dots per inch), rounded to the nearest pixel.
int fontPixelHeight(double points, double logicalDotsPerInch);

// Points to pixels at the logical resolution of the screen the window opens
// on; 96 dots per inch without a screen.
int fontPixelHeight(double points, const QScreen* screen);

// The layout's faces are Windows faces that Debian does not have; each is
// mapped onto the IPA face of the same kind (fixed or proportional) unless the
// system has the face itself. Safe to call more than once.
void mapMissingFaces();

// A font requested by face name and a height in pixels, nothing else.
QFont layoutFont(const char* face, int pixelHeight);

} // namespace torvelo
