#include "platform/qt/x11_window.h"
#include "platform/qt/x11_curtain.h"
#include <QColor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vx::win::qt {
namespace {

// The Xinerama number of the monitor at a device rectangle (the one holding its centre when
// none matches exactly), or -1.
int xineramaNumber(Display* dpy, const QRect& monitor) {
    int count = 0;
    XineramaScreenInfo* info = XineramaIsActive(dpy) ? XineramaQueryScreens(dpy, &count) : nullptr;
    int exact = -1, holding = -1;
    for (int i = 0; i < count; ++i) {
        const QRect r(info[i].x_org, info[i].y_org, info[i].width, info[i].height);
        if (r == monitor && exact < 0) exact = info[i].screen_number;
        if (r.contains(monitor.center()) && holding < 0) holding = info[i].screen_number;
    }
    if (info) XFree(info);
    return exact >= 0 ? exact : holding;
}

} // namespace

void sendToRoot(Display* dpy, Window w, const char* type, long l0, long l1, long l2, long l3,
                long l4) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(dpy, type, False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = l0;
    ev.xclient.data.l[1] = l1;
    ev.xclient.data.l[2] = l2;
    ev.xclient.data.l[3] = l3;
    ev.xclient.data.l[4] = l4;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

std::vector<unsigned long> cardinals(Display* dpy, Window w, const char* name, Atom kind) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 4096, False, kind, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        if (format == 32) {
            const auto* v = reinterpret_cast<const unsigned long*>(data);
            out.assign(v, v + count);
        }
        XFree(data);
    }
    return out;
}

bool managerSupports(Display* dpy, const char* name) {
    const auto atoms = cardinals(dpy, DefaultRootWindow(dpy), "_NET_SUPPORTED", XA_ATOM);
    return std::find(atoms.begin(), atoms.end(), XInternAtom(dpy, name, False)) != atoms.end();
}

Display* x11Display() {
    // Asked on every pause of the key loop: looked up once per application.
    static const QGuiApplication* askedOf = nullptr;
    static Display* dpy = nullptr;
    if (qGuiApp != askedOf) {
        askedOf = qGuiApp;
        dpy = nullptr;
        // Other platform plugins may answer the X11 interface without a usable connection.
        if (qGuiApp && QGuiApplication::platformName() == "xcb")
            if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
                dpy = x11->display();
    }
    return dpy;
}

void fullScreenOn(QWidget* window, const QRect& monitor) {
    Display* dpy = x11Display();
    // With one monitor there is nothing to name, and a pattern key pays no round trips.
    if (!dpy || !window->isVisible() || QGuiApplication::screens().size() < 2 ||
        !managerSupports(dpy, "_NET_WM_FULLSCREEN_MONITORS"))
        return;
    const int n = xineramaNumber(dpy, monitor);
    if (n < 0) return;
    // Top, bottom, left and right edges all on that one monitor; source 1: an application.
    sendToRoot(dpy, static_cast<Window>(window->winId()), "_NET_WM_FULLSCREEN_MONITORS", n, n, n, n,
               1);
    XFlush(dpy);
}

void presentWindow(QWidget* window) {
    Display* dpy = x11Display();
    if (!dpy || !window->isVisible()) return;
    // Source 2: a pager or taskbar, that is, the user.
    sendToRoot(dpy, static_cast<Window>(window->winId()), "_NET_ACTIVE_WINDOW", 2, CurrentTime);
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

QMargins frameExtents(QWidget* window) {
    Display* dpy = x11Display();
    if (!dpy || !managerSupports(dpy, "_NET_REQUEST_FRAME_EXTENTS")) return {};
    const Window w = static_cast<Window>(window->winId());
    const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    sendToRoot(dpy, w, "_NET_REQUEST_FRAME_EXTENTS", 0);
    // The manager answers by setting the property at once; a manager that does not is
    // not waited for long.
    QElapsedTimer t;
    t.start();
    do {
        XSync(dpy, False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, w, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                               &after, &data) == Success &&
            data) {
            const auto* v = reinterpret_cast<const unsigned long*>(data);
            QMargins m;
            if (count == 4)
                m = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                             static_cast<int>(v[3]));
            XFree(data);
            // In device pixels on the server; Qt places windows in logical ones.
            const double dpr = window->devicePixelRatioF();
            return QMargins(static_cast<int>(std::lround(m.left() / dpr)),
                            static_cast<int>(std::lround(m.top() / dpr)),
                            static_cast<int>(std::lround(m.right() / dpr)),
                            static_cast<int>(std::lround(m.bottom() / dpr)));
        }
        QThread::msleep(1);
    } while (t.elapsed() < 100);
    return {};
}

bool reachedScreen(QWidget* window) {
    const QWindow* handle = window->windowHandle();
    if (!handle || !handle->isExposed()) return false;
    Display* dpy = x11Display();
    if (!dpy) return true;
    // Everything the program asked of the server is done, then the server tells what it has.
    XSync(dpy, False);
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, static_cast<Window>(window->winId()), &a)) return true;
    const double dpr = window->devicePixelRatioF();
    return a.map_state == IsViewable && a.width == std::lround(window->width() * dpr) &&
           a.height == std::lround(window->height() * dpr);
}

bool keptOffScreen(const QWindow* window) {
    Display* dpy = x11Display();
    if (!dpy || !window || !window->handle()) return false;
    const Window w = static_cast<Window>(window->winId());
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state == IsViewable) return false;
    // Unmapped, or mapped in an unmapped frame (IsUnviewable), as the manager has it on
    // another workspace or minimised; it says so. A window on its way to the screen may be
    // either for a moment while the manager frames it, and has no state yet, or the
    // withdrawn one left from when it was last hidden, or the normal one on this workspace.
    enum : unsigned long { kNormalState = 1, kIconicState = 3 };
    const Atom wmState = XInternAtom(dpy, "WM_STATE", False);
    const auto state = cardinals(dpy, w, "WM_STATE", wmState);
    if (state.empty() || (state[0] != kNormalState && state[0] != kIconicState)) return false;
    if (state[0] == kIconicState) return true;
    const auto hidden = static_cast<unsigned long>(XInternAtom(dpy, "_NET_WM_STATE_HIDDEN", False));
    for (const unsigned long s : cardinals(dpy, w, "_NET_WM_STATE", XA_ATOM))
        if (s == hidden) return true;
    const auto desktop = cardinals(dpy, w, "_NET_WM_DESKTOP", XA_CARDINAL);
    const auto current =
        cardinals(dpy, DefaultRootWindow(dpy), "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    return !desktop.empty() && !current.empty() && desktop[0] != 0xFFFFFFFFUL &&
           desktop[0] != current[0];
}

void syncWithServer() {
    if (Display* dpy = x11Display()) XSync(dpy, False);
}

void setServerBackground(QWidget* window, std::optional<QColor> colour) {
    Display* dpy = x11Display();
    if (!dpy || !window->internalWinId()) return;
    const Window w = static_cast<Window>(window->internalWinId());
    // No round trip: a request queued behind the map reaches the server before a window
    // manager maps the window. The pixel is built for the default visual, Qt's choice for
    // an opaque window; another kind of visual keeps no background.
    const Visual* v = DefaultVisual(dpy, DefaultScreen(dpy));
    if (!colour || v->c_class != TrueColor) {
        XSetWindowBackgroundPixmap(dpy, w, None);
        curtainPixel(window, std::nullopt);
        return;
    }
    const auto channel = [](unsigned long mask, int value) {
        if (!mask) return 0UL;
        const int shift = __builtin_ctzl(mask);
        const unsigned long max = mask >> shift;
        return ((static_cast<unsigned long>(value) * max + 127) / 255) << shift;
    };
    const unsigned long pixel = channel(v->red_mask, colour->red()) |
                                channel(v->green_mask, colour->green()) |
                                channel(v->blue_mask, colour->blue());
    XSetWindowBackground(dpy, w, pixel);
    curtainPixel(window, pixel);
}

} // namespace vx::win::qt
