#pragma once

#include <vector>

class QRect;

/// Where a window's frame goes so that the person can reach all of it: unchanged when it lies wholly
/// on one of the screens' available areas; otherwise on the screen that holds most of it (the nearest
/// one when none holds any), shrunk to that screen where it is larger, then moved the least distance
/// that puts it wholly on it. With no screen at all the frame stays where it is.
QRect PlaceOnScreens(const QRect& frame, const std::vector<QRect>& screens);
