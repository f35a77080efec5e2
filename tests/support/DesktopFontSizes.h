#pragma once

#include <QApplication>
#include <QFont>

#include <functional>
#include <gtest/gtest.h>

/// Runs the body once at each of the usual desktop font sizes, 9, 10 and 11 pt, with the
/// application's font set to it; the font it had comes back afterwards.
inline void AtUsualDesktopFontSizes(const std::function<void()>& body) {
    const QFont desktop = QApplication::font();
    for (double points : {9.0, 10.0, 11.0}) {
        SCOPED_TRACE(testing::Message() << points << " pt");
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        body();
    }
    QApplication::setFont(desktop);
}
