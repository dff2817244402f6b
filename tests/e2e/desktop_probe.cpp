#include "e2e/desktop_probe.h"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

bool hasWindowManager(Display* dpy) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found =
        XGetWindowProperty(dpy, DefaultRootWindow(dpy),
                           XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        count == 1;
    if (data) XFree(data);
    return found;
}

int countIn(Display* dpy, Window w, const std::string& prefix) {
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    int found = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) return 0;
    for (unsigned i = 0; i < n; ++i) {
        char* name = nullptr;
        if (isViewable(dpy, children[i]) && XFetchName(dpy, children[i], &name) && name &&
            std::string(name).rfind(prefix, 0) == 0)
            ++found;
        if (name) XFree(name);
        found += countIn(dpy, children[i], prefix);
    }
    if (children) XFree(children);
    return found;
}

} // namespace

Window coverWith(Display* dpy, const Rect& r, unsigned rgb) {
    const Window w =
        XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), r.x, r.y, static_cast<unsigned>(r.width),
                            static_cast<unsigned>(r.height), 0, 0, rgb);
    XStoreName(dpy, w, "cover");
    XMapRaised(dpy, w);
    XSync(dpy, False);
    return w;
}

void iconify(Display* dpy, Window w) {
    XIconifyWindow(dpy, w, DefaultScreen(dpy));
    XSync(dpy, False);
}

bool isViewable(Display* dpy, Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
}

bool hasFocus(Display* dpy, Window w) {
    Window focus = 0, root, parent, *children = nullptr;
    int revert = 0;
    unsigned n = 0;
    XGetInputFocus(dpy, &focus, &revert);
    while (focus != w && focus > PointerRoot && focus != DefaultRootWindow(dpy) &&
           XQueryTree(dpy, focus, &root, &parent, &children, &n)) {
        if (children) XFree(children);
        children = nullptr;
        focus = parent;
    }
    return focus == w;
}

int countWindows(Display* dpy, const std::string& prefix) {
    return countIn(dpy, DefaultRootWindow(dpy), prefix);
}

WindowManager::WindowManager(Display* dpy) : dpy_(dpy) {
    if (hasWindowManager(dpy)) {
        running_ = true;
        return;
    }
    const std::string display = DisplayString(dpy);
    pid_ = fork();
    if (pid_ == 0) {
        if (!getenv("E2E_VERBOSE")) {
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        setenv("DISPLAY", display.c_str(), 1);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Without openbox the child ends at once.
    XSession::waitFor(
        [&] {
            if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
            return pid_ <= 0 || hasWindowManager(dpy);
        },
        10s);
    running_ = pid_ > 0 && hasWindowManager(dpy);
}

WindowManager::~WindowManager() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

bool WindowManager::manages(Window w) const {
    return XSession::waitFor([&] {
        Window root, parent = 0, *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(dpy_, w, &root, &parent, &children, &n)) return false;
        if (children) XFree(children);
        return parent != root && isViewable(dpy_, w);
    });
}

} // namespace vx::e2e
