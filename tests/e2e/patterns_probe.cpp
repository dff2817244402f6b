#include "e2e/patterns_probe.h"
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

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

std::optional<bool> pointerBlank(Display* dpy) {
    int event = 0, error = 0;
    if (!XFixesQueryExtension(dpy, &event, &error)) return std::nullopt;
    XFixesCursorImage* img = XFixesGetCursorImage(dpy);
    if (!img) return std::nullopt;
    bool blank = true;
    for (std::size_t i = 0; blank && i < std::size_t{img->width} * img->height; ++i)
        blank = (img->pixels[i] >> 24 & 0xFF) == 0;
    XFree(img);
    return blank;
}

} // namespace vx::e2e
