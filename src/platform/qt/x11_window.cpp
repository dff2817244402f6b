#include "platform/qt/x11_window.h"
#include <QGuiApplication>
#include <QWidget>
#include <X11/Xlib.h>

namespace vx::win::qt {

Display* x11Display() {
    // Other platform plugins may answer the X11 interface without a usable connection.
    if (!qGuiApp || QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

void keepAbove(QWidget* window) {
    Display* dpy = x11Display();
    if (!dpy || !window->isVisible()) return;
    const Window root = DefaultRootWindow(dpy);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = static_cast<Window>(window->winId());
    ev.xclient.message_type = XInternAtom(dpy, "_NET_WM_STATE", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 1; // add
    ev.xclient.data.l[1] = static_cast<long>(XInternAtom(dpy, "_NET_WM_STATE_ABOVE", False));
    ev.xclient.data.l[3] = 1;
    XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
}

void presentWindow(QWidget* window) {
    Display* dpy = x11Display();
    if (!dpy || !window->isVisible()) return;
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = static_cast<Window>(window->winId());
    ev.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 2; // source: a pager or taskbar, that is, the user
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
}

} // namespace vx::win::qt
