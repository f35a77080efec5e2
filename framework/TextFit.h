#pragma once

class QFont;
class QSize;
class QString;

/// The font at the largest size, no larger than its own, at which the text laid out with the
/// alignment and wrapping `flags` (Qt::AlignmentFlag | Qt::TextFlag) fits `room` whole. A text that
/// fits keeps the font as it is; one that fits at no size gets the smallest size that still reads.
QFont FontToFit(const QFont& font, const QString& text, const QSize& room, int flags);
