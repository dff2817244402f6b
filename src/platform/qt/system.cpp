#include "platform/system.h"
#include "platform/keyboard.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <X11/Xlib.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vx::win {

namespace {

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

// What was drawn before the thread blocks reaches the screen now, not after the pause, and
// a window shown just before gets its first paint as soon as it is exposed. Only window-
// system events are served while waiting for that: no input, no timers.
void showWhatWasDrawn(std::chrono::steady_clock::time_point end) {
    if (!qGuiApp) return;
    paintPending();
    while (windowAwaitingExpose() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::X11ExcludeTimers);
        paintPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

void Sleep(DWORD dwMilliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    showWhatWasDrawn(end);
    std::this_thread::sleep_until(end);
}

DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE*, BOOL, DWORD dwMilliseconds, DWORD) {
    if (nCount != 0) return WAIT_FAILED;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    showWhatWasDrawn(end);
    if (!keyboardSource().waitForPress(end)) return WAIT_TIMEOUT;
    // A click went to Qt's connection too. A round trip there has it read off the socket, and
    // Qt's reader thread gets a moment to queue it before the next event step looks; else it
    // waits a whole cycle.
    if (Display* dpy = qt::x11Display()) XSync(dpy, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return WAIT_OBJECT_0;
}

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(::syscall(SYS_gettid));
}

COLORREF GetSysColor(int nIndex) {
    // The classic Windows scheme; the program draws with these wherever a control asks for a
    // system colour.
    static constexpr std::array<COLORREF, 31> scheme = {
        0x00C8D0D4, 0x00A56E3A, 0x006A240A, 0x00808080, 0x00C8D0D4, 0x00FFFFFF, 0x00000000,
        0x00000000, 0x00000000, 0x00FFFFFF, 0x00C8D0D4, 0x00C8D0D4, 0x00808080, 0x006A240A,
        0x00FFFFFF, 0x00C8D0D4, 0x00808080, 0x00808080, 0x00000000, 0x00C8D0D4, 0x00FFFFFF,
        0x00404040, 0x00C8D0D4, 0x00000000, 0x00E1FFFF, 0x00B5B5B5, 0x00800000, 0x00F0CAA6,
        0x00C0C0C0, 0x00FF6633, 0x00F0F0F0};
    return nIndex >= 0 && nIndex < static_cast<int>(scheme.size()) ? scheme[nIndex] : 0;
}

} // namespace vx::win
