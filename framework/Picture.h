#pragma once

#include "Ref.h"

class Graphics;
class QImage;

/// A picture in memory.
class Picture : public std::enable_shared_from_this<Picture> {
  public:
    explicit Picture(const QImage& image);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int32_t Width() const;
    int32_t Height() const;
    /// The picture's mask, made on first use when `create` is true, else Nil until then: a picture
    /// of the same size in which black shows the picture's pixel, white hides it, and greys let it
    /// show through in part.
    Ref<Picture> Mask(bool create);
    /// The graphics that draw into the picture's pixels (into the mask's, for a mask).
    Ref<Graphics> GraphicsObject();
    /// The picture with its mask applied as its transparency.
    QImage _Image() const;
    /// The pixels themselves, for drawing into.
    QImage& _Pixels();

  private:
    struct Private;
    std::unique_ptr<Private> d;
};

/// A new picture of that size, fully transparent; a depth of 32 gives it full colour.
Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth);
