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

void setFixedFrame(QWidget* window, bool minimiseBox) {
    Display* dpy = x11Display();
    if (!dpy) return;
    // Motif window-manager hints: which functions and decorations the frame offers. Qt always
    // offers resizing; a fixed window has none.
    enum : long { kFunctions = 1, kDecorations = 2 };
    enum : long { kFuncMove = 4, kFuncMinimise = 8, kFuncClose = 32 };
    enum : long { kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimise = 32 };
    long hints[5] = {kFunctions | kDecorations, kFuncMove | kFuncClose,
                     kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    if (minimiseBox) {
        hints[1] |= kFuncMinimise;
        hints[2] |= kDecorMinimise;
    }
    const Atom motif = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    XChangeProperty(dpy, static_cast<Window>(window->winId()), motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
    XFlush(dpy);
}

} // namespace vx::win::qt
