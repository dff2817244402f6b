#include "e2e/patterns_probe.h"
#include <X11/Xlib.h>

namespace vx::e2e {
namespace {
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

std::optional<Rect> mappedGeometry(Display* dpy, Window w) {
    XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    XWindowAttributes a{};
    std::optional<Rect> r;
    if (XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable) {
        int x = 0, y = 0;
        Window child;
        if (XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child))
            r = Rect{x, y, a.width, a.height};
    }
    XSync(dpy, False);
    XSetErrorHandler(previous);
    return r;
}

} // namespace vx::e2e
