#include "platform/system.h"
#include "platform/keyboard.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWindow>
#include <X11/Xlib.h>
#include <array>
#include <chrono>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace vx::win {

namespace {

// A window shown in this cycle has nothing on the screen until the window system exposes it.
bool windowAwaitingExpose() {
    // allWindows shares Qt's own list, where topLevelWindows builds one on every pause.
    for (const QWindow* w : QGuiApplication::allWindows())
        if (w->isTopLevel() && w->isVisible() && !w->isExposed() &&
            !(w->windowStates() & Qt::WindowMinimized))
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
