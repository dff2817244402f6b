#include "host/qt/monitor_watch.h"
#include <QGuiApplication>
#include <QWidget>

namespace vx::hostqt {

MonitorWatch::MonitorWatch(QWidget* window, QScreen* monitor) : QObject(window), monitor_(monitor) {
    setObjectName("vx.monitorWatch");
    const auto refit = [this] {
        if (monitor_) refit_(monitor_);
    };
    connect(monitor, &QScreen::geometryChanged, this, refit);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, refit);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this, refit](QScreen* s) {
        if (s != monitor_ && monitor_) {
            refit();
            return;
        }
        // Once: the window is the owner's to close now.
        disconnect(qGuiApp, nullptr, this, nullptr);
        gone_();
    });
}

void MonitorWatch::watch(QWidget* window, QScreen* monitor, std::function<void(QScreen*)> refit,
                         std::function<void()> gone) {
    stop(window);
    if (!monitor) return;
    auto* w = new MonitorWatch(window, monitor);
    w->refit_ = std::move(refit);
    w->gone_ = std::move(gone);
}

void MonitorWatch::stop(QWidget* window) {
    delete window->findChild<QObject*>("vx.monitorWatch", Qt::FindDirectChildrenOnly);
}

} // namespace vx::hostqt
