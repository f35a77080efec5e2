#include "FirstExposure.h"
#include "ProcessClock.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

// The start-up reference: the least a Qt Widgets program does to show one window.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(476, 300);
    FirstExposure::Watch([] {
        std::printf("minimal_window %.4f %.1f\n", ProcessClock::SinceLaunch(), ProcessClock::PeakMB());
        QApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
