#pragma once
// Keeps a full-screen window on its monitor while monitors come, go or change: the window is
// fitted again when its monitor changes size or place, or when another monitor comes or goes
// (which may renumber them); when its own monitor goes, the owner is told instead.
#include <QObject>
#include <QPointer>
#include <QScreen>
#include <functional>

class QWidget;

namespace vx::hostqt {

class MonitorWatch : public QObject {
  public:
    // A child of the window: it goes with it. A window has one watch; a new one replaces it.
    static void watch(QWidget* window, QScreen* monitor, std::function<void(QScreen*)> refit,
                      std::function<void()> gone);
    static void stop(QWidget* window);

  private:
    MonitorWatch(QWidget* window, QScreen* monitor);

    QPointer<QScreen> monitor_;
    std::function<void(QScreen*)> refit_;
    std::function<void()> gone_;
};

} // namespace vx::hostqt
