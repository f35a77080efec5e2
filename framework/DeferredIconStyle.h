#pragma once

#include <QProxyStyle>

/// The desktop's own style, whose standard icons are read only when they are first drawn. Every menu
/// bar and toolbar makes an overflow button at once and asks for its icon; reading and decoding those
/// pictures would cost each start of the program about a millisecond for a button that seldom shows.
/// An icon gives the same pictures, at the same sizes and ratios, as the style's own would.
class DeferredIconStyle : public QProxyStyle {
public:
    /// Takes the style over; without one, the desktop's style is made.
    explicit DeferredIconStyle(QStyle* style = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
