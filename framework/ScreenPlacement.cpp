#include "ScreenPlacement.h"

#include <QRect>

#include <algorithm>
#include <cstdint>

namespace {

int64_t SharedArea(const QRect& a, const QRect& b) {
    QRect shared = a.intersected(b);
    return shared.isEmpty() ? 0 : int64_t(shared.width()) * shared.height();
}

// The squared length of the shortest step from one rectangle to the other.
int64_t Gap(const QRect& a, const QRect& b) {
    int64_t dx = std::max({int64_t(0), int64_t(b.left()) - a.right(), int64_t(a.left()) - b.right()});
    int64_t dy = std::max({int64_t(0), int64_t(b.top()) - a.bottom(), int64_t(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

// Ties go to the screen listed first, the primary one.
const QRect& TargetScreen(const QRect& frame, const std::vector<QRect>& screens) {
    auto most = std::max_element(screens.begin(), screens.end(), [&](const QRect& a, const QRect& b) {
        return SharedArea(frame, a) < SharedArea(frame, b);
    });
    if (SharedArea(frame, *most) > 0)
        return *most;
    return *std::min_element(screens.begin(), screens.end(),
                             [&](const QRect& a, const QRect& b) { return Gap(frame, a) < Gap(frame, b); });
}

int Within(int start, int length, int low, int room) {
    return std::clamp(start, low, low + room - length);
}

} // namespace

QRect PlaceOnScreens(const QRect& frame, const std::vector<QRect>& screens) {
    if (screens.empty())
        return frame;
    for (const QRect& screen : screens) {
        if (screen.contains(frame))
            return frame;
    }
    const QRect& screen = TargetScreen(frame, screens);
    int width = std::min(frame.width(), screen.width());
    int height = std::min(frame.height(), screen.height());
    return QRect(Within(frame.x(), width, screen.x(), screen.width()),
                 Within(frame.y(), height, screen.y(), screen.height()), width, height);
}
