#pragma once

#include "Ref.h"

class Picture;
class QPainter;

/// Draws into a picture's pixels, or into a control on the screen while it paints.
class Graphics {
public:
    /// Draws into the picture, which the graphics keep alive.
    explicit Graphics(const Ref<Picture>& target);
    /// Draws through a painter that stays active while the graphics are used (a Paint event).
    explicit Graphics(QPainter& painter);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    /// Draws the picture, with its mask applied, whole and at its own size, its top-left corner at x,
    /// y. A Nil picture draws nothing: a picture file that is missing or unreadable leaves an empty
    /// place instead of making every paint fail.
    void DrawPicture(const Ref<Picture>& picture, int32_t x, int32_t y);

private:
    Ref<Picture> m_Target;
    QPainter* m_Painter = nullptr;
};
