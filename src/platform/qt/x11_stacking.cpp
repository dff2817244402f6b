#include "platform/qt/x11_stacking.h"
#include "platform/qt/app_filter.h"
#include "platform/qt/x11_window.h"
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <optional>
#include <set>
#include <xcb/xcb.h>

namespace vx::win::qt {
namespace {

// What the window manager last said about the stacking and the windows' states, forgotten as
// soon as it says something new. Qt already listens to the properties of the root window and
// of its own windows, so this costs no request.
class StackingWatch : public QAbstractNativeEventFilter {
  public:
    explicit StackingWatch(Display* dpy)
        : dpy_(dpy), stackingAtom_(XInternAtom(dpy, "_NET_CLIENT_LIST_STACKING", False)),
          stateAtom_(XInternAtom(dpy, "_NET_WM_STATE", False)),
          supportedAtom_(XInternAtom(dpy, "_NET_SUPPORTED", False)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
        const auto* pn = static_cast<const xcb_property_notify_event_t*>(message);
        if (pn->atom == stackingAtom_ || pn->atom == supportedAtom_) frontKnown_ = false;
        if (pn->atom == supportedAtom_) support_.reset();
        if (pn->atom == stateAtom_) settled_.erase(pn->window);
        return false;
    }

    // The client the manager lists last, that is in front of all others; 0 without a list,
    // and where the manager does not say it keeps the list up to date.
    unsigned long front() {
        const auto now = std::chrono::steady_clock::now();
        if (frontKnown_ && !(guessed_ && now - guessedAt_ > std::chrono::milliseconds(500)))
            return front_;
        frontKnown_ = true;
        guessed_ = false;
        front_ = 0;
        if (!support().listKept) return front_;
        const auto list =
            cardinals(dpy_, DefaultRootWindow(dpy_), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
        if (!list.empty()) front_ = list.back();
        return front_;
    }
    // A raise just asked for is taken as done for a moment, so that the requests of one
    // step raise once. The manager's new list says whether it was; a manager that refused
    // the raise writes no new list, so the guess is soon asked again.
    void raised(unsigned long window) {
        front_ = window;
        frontKnown_ = guessed_ = true;
        guessedAt_ = std::chrono::steady_clock::now();
    }

    bool restacks() { return support().restacks; }

    // Whether the window's state has not changed since it was last read, or the above state
    // last asked for; marks it so.
    bool settled(unsigned long window) { return !settled_.insert(window).second; }

  private:
    struct Support {
        bool listKept, restacks;
    };
    const Support& support() {
        if (!support_)
            support_ = Support{managerSupports(dpy_, "_NET_CLIENT_LIST_STACKING"),
                               managerSupports(dpy_, "_NET_RESTACK_WINDOW")};
        return *support_;
    }

    Display* dpy_;
    unsigned long stackingAtom_, stateAtom_, supportedAtom_;
    std::optional<Support> support_;
    std::set<unsigned long> settled_;
    unsigned long front_ = 0;
    bool frontKnown_ = false, guessed_ = false;
    std::chrono::steady_clock::time_point guessedAt_;
};

StackingWatch* watch() {
    return appFilter<StackingWatch>([]() -> StackingWatch* {
        Display* dpy = x11Display();
        return dpy ? new StackingWatch(dpy) : nullptr;
    });
}

unsigned long idOf(const QWidget* window) {
    return static_cast<unsigned long>(window->winId());
}

} // namespace

void raiseToFront(QWidget* window) {
    StackingWatch* w = window->isVisible() ? watch() : nullptr;
    if (w && w->front() == idOf(window)) return;
    if (w && w->restacks()) {
        // Metacity turns down a raise from a window that is not the active one, but follows
        // a restack request. Source 2, as a pager asks; no sibling: in front of all.
        Display* dpy = x11Display();
        sendToRoot(dpy, idOf(window), "_NET_RESTACK_WINDOW", 2, 0, Above);
        XFlush(dpy);
    } else {
        window->raise();
    }
    if (w) w->raised(idOf(window));
}

void keepAbove(QWidget* window) {
    StackingWatch* known = window->isVisible() ? watch() : nullptr;
    // Asked every second, so the state is read again only after the manager changed it. One
    // that turns the request down (xfwm4, for a full-screen window) is not asked again until
    // then.
    if (!known || known->settled(idOf(window))) return;
    Display* dpy = x11Display();
    const auto above = static_cast<unsigned long>(XInternAtom(dpy, "_NET_WM_STATE_ABOVE", False));
    for (const unsigned long s : cardinals(dpy, idOf(window), "_NET_WM_STATE", XA_ATOM))
        if (s == above) return;
    sendToRoot(dpy, idOf(window), "_NET_WM_STATE", 1, static_cast<long>(above), 0, 1);
    XFlush(dpy);
}

} // namespace vx::win::qt
