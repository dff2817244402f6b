#include "e2e/other_window.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vx::e2e {

OtherWindow::OtherWindow(Display* dpy, const Rect& place) : dpy_(dpy) {
    const Window root = DefaultRootWindow(dpy);
    w_ = XCreateSimpleWindow(dpy, root, place.x, place.y, static_cast<unsigned>(place.width),
                             static_cast<unsigned>(place.height), 0, 0, 0x808080);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = place.x, hints.y = place.y, hints.width = place.width, hints.height = place.height;
    XSetWMNormalHints(dpy, w_, &hints);
    XMapRaised(dpy, w_);
    XSync(dpy, False);
}

OtherWindow::~OtherWindow() {
    XDestroyWindow(dpy_, w_);
    XSync(dpy_, False);
}

std::optional<Rect> OtherWindow::covered() const {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy_, w_, &a) || a.map_state != IsViewable) return std::nullopt;
    // Up to the child of the root: the window itself, or the frame around it.
    Window top = w_, root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    while (XQueryTree(dpy_, top, &root, &parent, &children, &n) && parent != root) {
        if (children) XFree(children);
        children = nullptr;
        top = parent;
    }
    if (children) XFree(children);
    XGetWindowAttributes(dpy_, top, &a);
    const int border = a.border_width;
    return Rect{a.x, a.y, a.width + 2 * border, a.height + 2 * border};
}

} // namespace vx::e2e
