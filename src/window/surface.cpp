#include "window/surface.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

namespace torvelo {

namespace {

// Where logical pixel v starts in device pixels. Rounding each edge rather than
// scaling a finished bitmap keeps every line solid: no pixel is blended grey.
int deviceEdge(int v, qreal devicePixelRatio) {
    return static_cast<int>(std::lround(v * devicePixelRatio));
}

// One even thickness for every line, so that no line looks bolder than its
// neighbour at a fractional scale: at 2 each logical pixel is a 2 x 2 block.
int thickness(qreal devicePixelRatio) {
    return std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
}

} // namespace

void Surface::paint(QImage& image, const Stroke& stroke) {
    const qreal ratio = image.devicePixelRatio();
    const QLine& l = stroke.line;
    const int t = thickness(ratio);
    const int left = deviceEdge(std::min(l.x1(), l.x2()), ratio);
    const int top = deviceEdge(std::min(l.y1(), l.y2()), ratio);
    const int right = deviceEdge(std::max(l.x1(), l.x2()), ratio) + t;
    const int bottom = deviceEdge(std::max(l.y1(), l.y2()), ratio) + t;
    // Device pixels, whatever ratio the image carries.
    const QRect block(left, top, right - left, bottom - top);
    const QRect bounds(0, 0, image.width(), image.height());
    const QRect inside = block.intersected(bounds);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row + inside.left(), row + inside.right() + 1, stroke.colour.rgb());
    }
}

// image_ is the last member: size_, background_ and the (empty) strokes are
// there to render it from.
Surface::Surface(QSize size, QColor background, qreal devicePixelRatio)
    : size_(size), background_(background), image_(render(devicePixelRatio)) {}

QImage Surface::render(qreal devicePixelRatio) const {
    QImage image(deviceEdge(size_.width(), devicePixelRatio),
                 deviceEdge(size_.height(), devicePixelRatio), QImage::Format_RGB32);
    if (image.isNull()) throw std::bad_alloc();
    image.fill(background_);
    image.setDevicePixelRatio(devicePixelRatio);
    for (const Stroke& stroke : strokes_)
        paint(image, stroke);
    return image;
}

void Surface::drawLine(const QLine& line, QColor colour) {
    if (line.x1() != line.x2() && line.y1() != line.y2())
        throw std::invalid_argument("the surface draws horizontal and vertical lines only");
    strokes_.push_back({line, colour});
    paint(image_, strokes_.back());
}

void Surface::setDevicePixelRatio(qreal devicePixelRatio) {
    if (devicePixelRatio == image_.devicePixelRatio()) return;
    image_ = render(devicePixelRatio);
}

QImage Surface::imageAt(qreal devicePixelRatio) const {
    if (devicePixelRatio == image_.devicePixelRatio()) return image_;
    return render(devicePixelRatio);
}

} // namespace torvelo
