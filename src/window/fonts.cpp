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

constexpr double pointsPerInch = 72.0;
constexpr double unscaledDotsPerInch = 96.0;

} // namespace

int fontPixelHeight(double points, double logicalDotsPerInch) {
    return static_cast<int>(std::lround(points / pointsPerInch * logicalDotsPerInch));
}

// The layout's boxes are in logical pixels, so the captions must be too: the
// logical resolution is what the desktop was drawn for (96 unless the user
// scales text alone), while a monitor's physical size says nothing about the
// boxes. Where the desktop scales, Qt scales geometry and these pixel sizes
// together by the device pixel ratio.
int fontPixelHeight(double points, const QScreen* screen) {
    return fontPixelHeight(points, screen ? screen->logicalDotsPerInchY() : unscaledDotsPerInch);
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
