#include "Picture.h"

#include "FolderItem.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

struct Picture::Private {
    QImage image;
    Ref<Picture> mask;
};

Picture::Picture(const QImage& image) : d(std::make_unique<Private>()) {
    d->image = image.convertToFormat(QImage::Format_ARGB32);
}

Picture::~Picture() = default;

int32_t Picture::Width() const {
    return d->image.width();
}

int32_t Picture::Height() const {
    return d->image.height();
}

Ref<Picture> Picture::Mask(bool create) {
    if (!d->mask && create) {
        // A new mask is black: every pixel of the picture shows.
        QImage black(d->image.size(), QImage::Format_ARGB32);
        black.fill(Qt::black);
        d->mask = New<Picture>(black);
    }
    return d->mask;
}

QImage Picture::_Image() const {
    if (!d->mask)
        return d->image;
    QImage composed = d->image;
    const QImage& mask = d->mask->d->image;
    for (int y = 0; y < composed.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(composed.scanLine(y));
        for (int x = 0; x < composed.width(); ++x) {
            int shown = x < mask.width() && y < mask.height() ? 255 - qGray(mask.pixel(x, y)) : 0;
            int alpha = qAlpha(pixel[x]) * shown / 255;
            pixel[x] = qRgba(qRed(pixel[x]), qGreen(pixel[x]), qBlue(pixel[x]), alpha);
        }
    }
    return composed;
}

QImage& Picture::_Pixels() {
    return d->image;
}

Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth) {
    if (width <= 0 || height <= 0)
        throw OutOfBoundsException();
    QImage image(width, height, depth == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(depth == 32 ? Qt::transparent : Qt::white);
    return New<Picture>(image);
}

namespace {

// Finding a format from the contents loads and asks every image plug-in in turn, which would cost each
// start, with its toolbar pictures, about half a millisecond; the name's suffix mostly tells it.
QImage ReadBySuffix(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

Ref<Picture> FolderItem::OpenAsPicture() const {
    const QString path = QString::fromStdString(Path().string());
    QImage image = ReadBySuffix(path);
    if (image.isNull())
        image = QImageReader(path).read();
    if (image.isNull())
        return nullptr;
    return New<Picture>(image);
}
