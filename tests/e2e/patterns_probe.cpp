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
    XWindowAttributes a{}, after{};
    std::optional<Rect> r;
    // Size and place come from two requests: a pair is kept only when the size did not
    // change in between, else a moving window gives the place of one step with the size of
    // another.
    for (int tries = 0; tries < 5 && !r; ++tries) {
        int x = 0, y = 0;
        Window child;
        if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable ||
            !XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child) ||
            !XGetWindowAttributes(dpy, w, &after) || after.map_state != IsViewable)
            break;
        if (after.width == a.width && after.height == a.height) r = Rect{x, y, a.width, a.height};
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
