#pragma once

#include <QObject>

#include <functional>

/// Calls back once, on the event loop's turn after a top-level window was first exposed; the window
/// has painted by then, so the callback sees it as the user first does.
class FirstExposure : public QObject {
public:
    /// Watches every window of the application; the watcher lives as long as the application object.
    static void Watch(std::function<void()> shown);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstExposure(std::function<void()> shown);

    std::function<void()> m_Shown;
    bool m_Fired = false;
};
