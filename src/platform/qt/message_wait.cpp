#include "platform/message_wait.h"
#include "platform/keyboard.h"
#include "platform/qt/queue_wait.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <X11/Xlib.h>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace vx::win {

namespace {

using Clock = std::chrono::steady_clock;

// Windows the window manager keeps off the screen. Asked of the server once, not on every
// pause: each stays so until it is exposed or hidden.
struct OffScreen {
    QPointer<QWindow> window;
    QMetaObject::Connection hidden;
};
std::vector<OffScreen>& offScreenList() {
    static std::vector<OffScreen> known;
    return known;
}
void forgetOffScreen(const QWindow* w) {
    std::erase_if(offScreenList(), [w](const OffScreen& k) {
        if (k.window && k.window != w && !k.window->isExposed()) return false;
        QObject::disconnect(k.hidden);
        return true;
    });
}
bool offScreen(QWindow* w) {
    forgetOffScreen(nullptr); // the gone and the exposed
    auto& known = offScreenList();
    if (std::any_of(known.begin(), known.end(), [w](const OffScreen& k) { return k.window == w; }))
        return true;
    if (!qt::keptOffScreen(w)) return false;
    // Shown again, it is a new window on its way to the screen.
    known.push_back(
        {w, QObject::connect(w, &QWindow::visibleChanged, w, [w] { forgetOffScreen(w); })});
    return true;
}

// A window shown in this cycle has nothing on the screen until the window system exposes it.
// One the window manager keeps off the screen (another workspace) gets no expose to wait for.
bool windowAwaitingExpose() {
    // allWindows shares Qt's own list, where topLevelWindows builds one on every pause.
    for (QWindow* w : QGuiApplication::allWindows())
        if (w->isTopLevel() && w->isVisible() && !w->isExposed() &&
            !(w->windowStates() & Qt::WindowMinimized) && !offScreen(w))
            return true;
    return false;
}

void paintPending() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    if (Display* dpy = qt::x11Display()) XFlush(dpy);
}

// In a timed pause, what was drawn before the thread blocks reaches the screen now, not after
// the pause, and a window shown just before gets its first paint as soon as it is exposed.
// Only window-system events are served while waiting for that: no input, no timers.
void showWhatWasDrawn(Clock::time_point end) {
    if (!qGuiApp) return;
    paintPending();
    while (windowAwaitingExpose() && Clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
        paintPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

DWORD timedWait(Clock::time_point end) {
    showWhatWasDrawn(end);
    if (!keyboardSource().waitForPress(end)) return WAIT_TIMEOUT;
    // A click went to Qt's connection too. A round trip there has it read off the socket, and
    // Qt's reader thread gets a moment to queue it before the next event step looks; else it
    // waits a whole cycle.
    if (Display* dpy = qt::x11Display()) XSync(dpy, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return WAIT_OBJECT_0;
}

// Serves nothing: whatever ends the wait is the event step's to serve, in its order.
DWORD idleWait() {
    KeyboardSource& keys = keyboardSource();
    if (keys.takePress()) return WAIT_OBJECT_0;
    // What was drawn and asked for goes to the server before the thread sleeps.
    if (Display* dpy = qt::x11Display()) XFlush(dpy);
    for (;;) {
        switch (qt::waitForQueuedWork(keys.pressDescriptor(), Clock::time_point::max())) {
        case qt::QueueWait::Work: return WAIT_OBJECT_0;
        case qt::QueueWait::Descriptor:
            if (keys.takePress()) return WAIT_OBJECT_0;
            break; // a release, a repeat: nothing to act on
        case qt::QueueWait::Deadline: return WAIT_TIMEOUT;
        case qt::QueueWait::Unknown:
            // Without a way to learn when a timer is due, the pause wakes as often as a held
            // key repeats.
            return timedWait(Clock::now() + std::chrono::milliseconds(50));
        }
    }
}

} // namespace

DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE*, BOOL, DWORD dwMilliseconds, DWORD) {
    if (nCount != 0) return WAIT_FAILED;
    if (dwMilliseconds == INFINITE) return idleWait();
    return timedWait(Clock::now() + std::chrono::milliseconds(dwMilliseconds));
}

} // namespace vx::win
