#include "platform/qt/x11_curtain.h"
#include "platform/qt/app_filter.h"
#include "platform/qt/monitor.h"
#include "platform/qt/x11_window.h"
#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <X11/Xlib.h>
#include <map>
#include <xcb/xcb.h>

namespace vx::win::qt {
namespace {

// A window manager takes a new window in with dozens of round trips, holding the server for
// most of them, before it maps it: a few milliseconds in which a click on a swatch would show
// nothing. The curtain is mapped by the program itself, ahead of the window's own map. It
// goes once the window is on the screen (the server fills the window with the same colour as
// it uncovers it), or when the window is hidden or gives up its one colour.
class CurtainWatch : public QAbstractNativeEventFilter {
  public:
    explicit CurtainWatch(Display* dpy) : dpy_(dpy) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || waiting_.empty()) return false;
        xcb_window_t w = 0;
        switch (static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7F) {
        case XCB_VISIBILITY_NOTIFY:
            w = static_cast<const xcb_visibility_notify_event_t*>(message)->window;
            break;
        case XCB_UNMAP_NOTIFY:
            w = static_cast<const xcb_unmap_notify_event_t*>(message)->window;
            break;
        case XCB_DESTROY_NOTIFY:
            w = static_cast<const xcb_destroy_notify_event_t*>(message)->window;
            break;
        default: return false;
        }
        if (const auto it = waiting_.find(w); it != waiting_.end()) {
            lower(it->second.curtain);
            waiting_.erase(it);
        }
        return false;
    }

    void await(QWidget* window) {
        Waiting& w = waiting_[window->internalWinId()];
        lower(w.curtain);
        w.area = deviceRect(window->screen());
    }

    void setPixel(QWidget* window, std::optional<unsigned long> pixel) {
        const auto it = waiting_.find(window->internalWinId());
        if (it == waiting_.end()) return;
        Waiting& w = it->second;
        if (!pixel) {
            lower(w.curtain);
            waiting_.erase(it);
            return;
        }
        if (w.curtain) {
            XSetWindowBackground(dpy_, w.curtain, *pixel);
            XClearWindow(dpy_, w.curtain);
        } else {
            // Clicks on it go nowhere for its few milliseconds, not to the window manager's
            // desktop menu on the root.
            XSetWindowAttributes a{};
            a.background_pixel = *pixel;
            a.override_redirect = True;
            a.do_not_propagate_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
            const QRect& r = w.area;
            w.curtain = XCreateWindow(
                dpy_, DefaultRootWindow(dpy_), r.x(), r.y(), static_cast<unsigned>(r.width()),
                static_cast<unsigned>(r.height()), 0, CopyFromParent, InputOutput, CopyFromParent,
                CWBackPixel | CWOverrideRedirect | CWDontPropagate, &a);
            XMapWindow(dpy_, w.curtain);
        }
        XFlush(dpy_);
    }

  private:
    struct Waiting {
        QRect area;
        Window curtain = 0;
    };

    void lower(Window& curtain) {
        if (!curtain) return;
        XDestroyWindow(dpy_, curtain);
        XFlush(dpy_);
        curtain = 0;
    }

    Display* dpy_;
    std::map<unsigned long, Waiting> waiting_;
};

CurtainWatch* watch() {
    return appFilter<CurtainWatch>([]() -> CurtainWatch* {
        Display* dpy = x11Display();
        return dpy ? new CurtainWatch(dpy) : nullptr;
    });
}

} // namespace

void awaitScreen(QWidget* window) {
    if (!window->isWindow() || !window->internalWinId() || !window->screen()) return;
    if (CurtainWatch* w = watch()) w->await(window);
}

void curtainPixel(QWidget* window, std::optional<unsigned long> pixel) {
    if (CurtainWatch* w = watch()) w->setPixel(window, pixel);
}

} // namespace vx::win::qt
