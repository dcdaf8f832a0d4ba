#include "window/fonts.h"

#include <QFontDatabase>
#include <QScreen>
#include <cmath>

namespace torvelo {

namespace {

struct FaceMapping {
    const char* face;
    const char* installed;
};

// IPAGothic is fixed-pitch like ＭＳ ゴシック and FixedSys, IPAPGothic
// proportional like ＭＳ Ｐゴシック and ＤＨＰ平成ゴシックW5. Without a
// mapping fontconfig falls back to a Latin face with no Japanese glyphs.
constexpr FaceMapping faceMappings[] = {
    {"ＭＳ ゴシック", "IPAGothic"},
    {"FixedSys", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＤＨＰ平成ゴシックW5", "IPAPGothic"},
};

constexpr double millimetresPerInch = 25.4;
constexpr double pointsPerInch = 72.0;
constexpr double fallbackDotsPerInch = 96.0;

} // namespace

int fontPixelHeight(double points, double screenPixels, double screenMillimetres) {
    const double pixelsPerMillimetre = screenMillimetres > 0
                                           ? screenPixels / screenMillimetres
                                           : fallbackDotsPerInch / millimetresPerInch;
    return static_cast<int>(
        std::lround(points * millimetresPerInch / pointsPerInch * pixelsPerMillimetre));
}

int fontPixelHeight(double points, const QScreen* screen) {
    if (!screen) return fontPixelHeight(points, 0, 0);
    return fontPixelHeight(points, screen->geometry().height(), screen->physicalSize().height());
}

void mapMissingFaces() {
    for (const FaceMapping& mapping : faceMappings) {
        const QString face = QString::fromUtf8(mapping.face);
        const QString installed = QString::fromUtf8(mapping.installed);
        if (QFontDatabase::hasFamily(face)) continue;
        if (QFont::substitutes(face).contains(installed)) continue;
        QFont::insertSubstitution(face, installed);
    }
}

QFont layoutFont(const char* face, int pixelHeight) {
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace torvelo
