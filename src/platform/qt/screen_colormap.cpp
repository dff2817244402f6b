#include "platform/qt/screen_colormap.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>
#include <X11/Xlib.h>

namespace vx::win::qt {

ScreenColormap::ScreenColormap() {
    if (x11Display()) QCoreApplication::instance()->installEventFilter(this);
}

ScreenColormap::~ScreenColormap() = default;

bool ScreenColormap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::PlatformSurface ||
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() !=
            QPlatformSurfaceEvent::SurfaceCreated)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    Display* dpy = x11Display();
    if (!window || !dpy) return false;
    // Sent once Qt has made the X window, before it is shown.
    const auto id = static_cast<::Window>(window->winId());
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, id, &a)) return false;
    const int screen = XScreenNumberOfScreen(a.screen);
    if (a.visual == DefaultVisual(dpy, screen) && a.colormap != DefaultColormap(dpy, screen))
        XSetWindowColormap(dpy, id, DefaultColormap(dpy, screen));
    return false;
}

} // namespace vx::win::qt
