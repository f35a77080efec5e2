#include "support/QuietCrashLog.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs its widgets on the offscreen platform, so no display is needed.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QuietCrashLog::Install();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
