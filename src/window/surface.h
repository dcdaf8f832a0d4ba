// The window's persistent drawing surface: a bitmap of the client area that
// keeps every line drawn on it and from which the client area is repainted.
#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QSize>
#include <vector>

namespace torvelo {

class Surface {
  public:
    // A surface of that many logical pixels, filled with the background, at
    // the given device pixel ratio. Throws std::bad_alloc when the bitmap
    // cannot be made.
    Surface(QSize size, QColor background, qreal devicePixelRatio);

    // Sets every pixel of a horizontal or vertical line, both end points
    // included, in logical pixels, and keeps the line for a later ratio. A line
    // of any other slope is refused with std::invalid_argument.
    void drawLine(const QLine& line, QColor colour);

    // Makes the bitmap anew at another device pixel ratio, with everything
    // drawn so far; nothing happens when the ratio is the one it has.
    void setDevicePixelRatio(qreal devicePixelRatio);

    // The bitmap, at the device pixel ratio it carries.
    const QImage& image() const { return image_; }

    // The same drawing at another device pixel ratio; at 1, one pixel per
    // logical pixel.
    QImage imageAt(qreal devicePixelRatio) const;

  private:
    struct Stroke {
        QLine line;
        QColor colour;
    };

    static void paint(QImage& image, const Stroke& stroke);
    // The background and every stroke, at that ratio.
    QImage render(qreal devicePixelRatio) const;

    QSize size_;
    QColor background_;
    std::vector<Stroke> strokes_;
    QImage image_;
};

} // namespace torvelo
