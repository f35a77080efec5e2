#include "FirstExposure.h"
#include "ProcessClock.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdio>

// The fair floor for a window that shows text: the first text measured starts the desktop's font
// database, which an empty window never does.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(476, 300);
    QLabel label("Dictionaries", &window);
    FirstExposure::Watch([] {
        std::printf("label_window %.4f %.1f\n", ProcessClock::SinceLaunch(), ProcessClock::PeakMB());
        QApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
