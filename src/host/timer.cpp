#include "host/timer.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/qt/control_state.h"
#include <QPointer>
#include <QTimer>

namespace vx {

struct Timer::Impl {
    QPointer<QTimer> timer;
    // Goes with the timer: a tick whose handler unloaded the form (and with it a timer
    // added at run time) sees that and touches nothing more.
    std::shared_ptr<char> alive = std::make_shared<char>();
};

Timer::Timer() : d_(std::make_unique<Impl>()) {}
Timer::~Timer() {
    delete d_->timer.data();
}

QWidget* Timer::makeWidget(QWidget* parent) {
    d_->timer = new QTimer(parent);
    QObject::connect(d_->timer.data(), &QTimer::timeout, [this] { tick(); });
    apply();
    return nullptr; // a timer has no window
}

void Timer::widgetDestroyed() {
    delete d_->timer.data();
    d_->timer = nullptr;
}

void Timer::apply() {
    if (!d_->timer) return;
    if (enabled_ && interval_ > 0)
        d_->timer->start(interval_);
    else
        d_->timer->stop();
}

void Timer::setInterval(Long ms) {
    if (ms < 0 || ms > 65535) raiseError(errInvalidProperty);
    interval_ = ms;
    apply();
}

void Timer::setEnabled(Boolean on) {
    enabled_ = on != vbFalse;
    apply();
}

void Timer::tick() {
    if (running_ || !onTimer) return;
    running_ = true;
    const std::weak_ptr<char> alive = d_->alive;
    const auto handler = onTimer;
    invokeHandler(handler);
    if (!alive.expired()) running_ = false;
}

bool Timer::setOwnProperty(std::string_view n, const Value& v) {
    if (n == "interval")
        setInterval(static_cast<Long>(number(v)));
    else if (n == "enabled")
        setEnabled(toBoolean(number(v) != 0));
    else
        return false;
    return true;
}

} // namespace vx
