// The X11 desktop's face: the screen is the root window as the server holds it.
#include "platform/qt/desktop_face.h"
#include "platform/qt/monitor.h"
#include "platform/qt/x11_cover.h"
#include "platform/qt/x11_window.h"
#include <QApplication>
#include <QBackingStore>
#include <QWidget>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <bit>
#include <chrono>
#include <thread>

namespace vx::win::qt {
namespace {

// The value of one colour channel scaled to 0..255, from a pixel and the channel's mask.
unsigned channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / max);
}

QImage fromXImage(XImage* xi) {
    QImage out(xi->width, xi->height, QImage::Format_RGB32);
    const bool direct = xi->bits_per_pixel == 32 && xi->byte_order == LSBFirst &&
                        xi->red_mask == 0xFF0000 && xi->green_mask == 0xFF00 &&
                        xi->blue_mask == 0xFF;
    for (int y = 0; y < xi->height; ++y) {
        auto* dst = reinterpret_cast<quint32*>(out.scanLine(y));
        if (direct) {
            const auto* src = reinterpret_cast<const quint32*>(xi->data + y * xi->bytes_per_line);
            for (int x = 0; x < xi->width; ++x) dst[x] = src[x] | 0xFF000000u;
        } else {
            for (int x = 0; x < xi->width; ++x) {
                const unsigned long p = XGetPixel(xi, x, y);
                dst[x] = qRgb(channel(p, xi->red_mask), channel(p, xi->green_mask),
                              channel(p, xi->blue_mask));
            }
        }
    }
    return out;
}

// A window that has just closed (the about box) leaves its picture on the windows it
// uncovered until they repaint, and a grab of the root window would show it. Other programs
// (the window manager taking down the box's frame, the frames and desktop beneath) get a
// moment to act on the hide; then ours copy their backing stores to the screen again, which
// restores whatever the box and its frame covered without running any of the program's
// handlers.
void letUncoveredWindowsRepaint(Display* dpy) {
    XSync(dpy, False); // every hide asked for so far has been carried out
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    XSync(dpy, False);
    paintHeldBack(); // what a covered window held back, before its picture is copied
    for (QWidget* w : QApplication::topLevelWidgets()) {
        QBackingStore* store = w->isVisible() ? w->backingStore() : nullptr;
        if (store && w->windowHandle()) store->flush(QRegion(w->rect()), w->windowHandle());
    }
    XSync(dpy, False);
}

class X11Face : public DesktopFace {
  public:
    std::optional<ScreenPicture> grabScreen(ScreenPictureProblem& why) override {
        why = ScreenPictureProblem::NoProblem;
        Display* dpy = x11Display();
        if (!dpy) return grabWithQt();
        ScreenPicture pic;
        pic.origin = deviceRect(monitorUnderTest()).topLeft();
        letUncoveredWindowsRepaint(dpy);
        const Window root = DefaultRootWindow(dpy);
        XWindowAttributes a{};
        XImage* xi = XGetWindowAttributes(dpy, root, &a)
                         ? XGetImage(dpy, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap)
                         : nullptr;
        if (!xi) return grabWithQt(); // as good a picture as the toolkit can take
        pic.image = fromXImage(xi);
        XDestroyImage(xi);
        return pic;
    }

    // The X server draws every pixel as the program gives it.
    int resamplingPercent(const QScreen*) override { return 0; }
};

} // namespace

std::unique_ptr<DesktopFace> makeX11Face() {
    if (!x11Display()) return nullptr;
    return std::make_unique<X11Face>();
}

} // namespace vx::win::qt
