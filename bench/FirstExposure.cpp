#include "FirstExposure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

void FirstExposure::Watch(std::function<void()> shown) {
    auto* watcher = new FirstExposure(std::move(shown));
    watcher->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

FirstExposure::FirstExposure(std::function<void()> shown) : m_Shown(std::move(shown)) {}

bool FirstExposure::eventFilter(QObject* watched, QEvent* event) {
    if (m_Fired || event->type() != QEvent::Expose || !watched->isWindowType())
        return false;
    if (!static_cast<QWindow*>(watched)->isExposed())
        return false;
    m_Fired = true;
    // The expose itself paints the window after this filter returns; the callback comes after that.
    QTimer::singleShot(0, this, [this] { m_Shown(); });
    return false;
}
