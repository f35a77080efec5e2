#include "TextFit.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

namespace {

bool Fits(const QFont& font, const QString& text, const QSize& room, int flags) {
    QRect area(QPoint(0, 0), room);
    return area.contains(QFontMetrics(font).boundingRect(area, flags, text));
}

// A font may be sized in points or in pixels; a pixel is the finest step either way.
struct Scale {
    double size, step, smallest;
};

Scale ScaleOf(const QFont& font) {
    if (font.pointSizeF() > 0)
        return {font.pointSizeF(), 0.25, 6};
    return {double(font.pixelSize()), 1, 8};
}

void Resize(QFont& font, double size) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(size);
    else
        font.setPixelSize(int(size));
}

} // namespace

QFont FontToFit(const QFont& font, const QString& text, const QSize& room, int flags) {
    if (text.isEmpty() || Fits(font, text, room, flags))
        return font;
    Scale scale = ScaleOf(font);
    QFont fitted = font;
    for (double size = scale.size - scale.step; size >= scale.smallest; size -= scale.step) {
        Resize(fitted, size);
        if (Fits(fitted, text, room, flags))
            return fitted;
    }
    return fitted;
}
