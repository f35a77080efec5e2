#pragma once

#include <QProxyStyle>

/// The desktop's own style, whose standard icons are read only when they are first drawn. Every menu
/// bar and toolbar makes an overflow button at once and asks for its icon; reading and decoding those
/// pictures would cost each start of the program about a millisecond for a button that seldom shows.
class DeferredIconStyle : public QProxyStyle {
public:
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
