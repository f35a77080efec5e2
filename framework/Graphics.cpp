#include "Graphics.h"

#include "Picture.h"

#include <QImage>
#include <QPainter>

Graphics::Graphics(const Ref<Picture>& target) : m_Target(target) {
    if (target.IsNil())
        throw NilObjectException();
}

Graphics::Graphics(QPainter& painter) : m_Painter(&painter) {}

Graphics::~Graphics() = default;

void Graphics::DrawPicture(const Ref<Picture>& picture, int32_t x, int32_t y) {
    if (picture.IsNil())
        return;
    QImage image = picture->_Image();
    if (m_Painter) {
        m_Painter->drawImage(x, y, image);
        return;
    }
    // A painter per drawing: a painter kept open on the pixels would hold them while the picture is
    // read elsewhere (drawn somewhere else, or its mask applied).
    QPainter painter(&m_Target->_Pixels());
    painter.drawImage(x, y, image);
}

// Kept with the drawing code, so that Picture.cpp needs no painter.
Ref<Graphics> Picture::GraphicsObject() {
    return New<Graphics>(Ref<Picture>(shared_from_this()));
}
