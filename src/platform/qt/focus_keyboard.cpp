// Key state from the program's own windows, for desktops that keep global keys to
// themselves: keys act only while one of the program's windows has the focus.
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/vk_map.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>
#include <array>
#include <bitset>
#include <sys/timerfd.h>
#include <unistd.h>
#include <vector>

namespace vx::win::qt {
namespace {

// What a window gets from the user: held back while the key loop pauses, so that no handler
// runs inside the pause.
bool isUserInput(QEvent::Type t) {
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::ContextMenu:
    case QEvent::Close: return true;
    default: return false;
    }
}

class FocusKeyboard : public QObject, public KeyboardSource {
  public:
    FocusKeyboard() {
        if (qApp) qApp->installEventFilter(this);
    }
    ~FocusKeyboard() override {
        if (qApp) qApp->removeEventFilter(this);
        if (timerFd_ >= 0) ::close(timerFd_);
    }

    SHORT asyncState(int vKey) override {
        // A window that is gone or hidden gets no release: the desktop sends it to whatever
        // has the focus next, which may not be ours.
        if (down_[vKey] && (!pressedIn_[vKey] || !pressedIn_[vKey]->isVisible()))
            down_[vKey] = false;
        const bool pressedSince = pressed_[vKey];
        pressed_[vKey] = false;
        return static_cast<SHORT>((down_[vKey] ? 0x8000 : 0) | (pressedSince ? 1 : 0));
    }
    void sendKey(BYTE, BYTE, DWORD, std::uintptr_t) override {}
    KeyScope scope() const override { return KeyScope::OwnWindows; }
    void forgetPresses() override { pressed_.reset(); }

    // Keys reach the program only through its own event queue, and on some desktops only
    // while that queue is served. So the pause serves window-system events, holds back what
    // the user sends to a window until the pause is over, and ends at the first press. A
    // timer descriptor ends it at the deadline, since the program's timers wait meanwhile.
    bool waitForPress(std::chrono::steady_clock::time_point deadline) override {
        if (!qApp || !armDeadline(deadline)) return KeyboardSource::waitForPress(deadline);
        waiting_ = true;
        woken_ = false;
        while (!woken_ && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                            QEventLoop::X11ExcludeTimers);
        waiting_ = false;
        deadlineNotifier_->setEnabled(false);
        // The event step gets them first, in the order they came.
        for (auto& [target, event] : held_)
            if (target) QCoreApplication::postEvent(target, event.release());
        held_.clear();
        return woken_;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (waiting_ && watched->isWindowType() && isUserInput(type)) {
            const auto* ke = dynamic_cast<const QKeyEvent*>(event);
            woken_ = woken_ || type == QEvent::MouseButtonPress ||
                     type == QEvent::MouseButtonDblClick || type == QEvent::TouchBegin ||
                     (type == QEvent::KeyPress && ke && !ke->isAutoRepeat());
            held_.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
            return true;
        }
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
            const auto* ke = static_cast<QKeyEvent*>(event);
            if (const int vk = vkForKeyEvent(*ke); vk > 0 && vk < 256 && !ke->isAutoRepeat()) {
                down_[vk] = type == QEvent::KeyPress;
                if (type == QEvent::KeyPress) {
                    pressed_[vk] = true;
                    pressedIn_[vk] = static_cast<QWidget*>(watched)->window()->windowHandle();
                }
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            down_.reset(); // releases while unfocused never arrive
        }
        return false;
    }

  private:
    bool armDeadline(std::chrono::steady_clock::time_point deadline) {
        if (timerFd_ < 0) {
            timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
            if (timerFd_ < 0) return false;
            deadlineNotifier_ = new QSocketNotifier(timerFd_, QSocketNotifier::Read, this);
            connect(deadlineNotifier_, &QSocketNotifier::activated, this, [this] {
                std::uint64_t expiries = 0;
                if (::read(timerFd_, &expiries, sizeof expiries) < 0) expiries = 0;
            });
        }
        // The steady clock is the monotonic one.
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch())
                .count();
        itimerspec at{};
        at.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
        at.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
        if (at.it_value.tv_sec == 0 && at.it_value.tv_nsec == 0) at.it_value.tv_nsec = 1;
        if (::timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr) != 0) return false;
        deadlineNotifier_->setEnabled(true);
        return true;
    }

    std::bitset<256> down_, pressed_;
    std::array<QPointer<QWindow>, 256> pressedIn_; // the top-level window of each press
    bool waiting_ = false, woken_ = false;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
    int timerFd_ = -1;
    QSocketNotifier* deadlineNotifier_ = nullptr;
};

} // namespace

std::unique_ptr<KeyboardSource> makeFocusKeyboard() {
    return std::make_unique<FocusKeyboard>();
}

} // namespace vx::win::qt
