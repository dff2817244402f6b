#include "e2e/x_session.h"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0 && !getenv("E2E_VERBOSE")) {
        dup2(devnull, 1);
        dup2(devnull, 2);
    }
    for (const std::string& kv : env) putenv(strdup(kv.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The UTF-8 title of the desktop standard, else the classic one.
std::string titleOf(Display* dpy, Window w) {
    std::string title;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(dpy, "UTF8_STRING", False), &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (!title.empty()) return title;
    }
    XTextProperty prop;
    if (XGetWMName(dpy, w, &prop) && prop.value) {
        title.assign(reinterpret_cast<char*>(prop.value), prop.nitems);
        XFree(prop.value);
    }
    return title;
}

} // namespace

XSession::XSession(int width, int height) : width_(width), height_(height) {
    // Windows come and go while the tests look at them: a request on one that has just gone
    // is no reason to end the test run.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    // The program keeps its socket in the user's runtime folder: a folder of this session's
    // own, gone with it, so that programs killed at the end leave nothing behind.
    char runtime[] = "/tmp/velotrix-session-XXXXXX";
    if (mkdtemp(runtime)) {
        runtimeDir_ = runtime;
        setenv("XDG_RUNTIME_DIR", runtime, 1);
    }
    // A free display number; another test run may take the same one at the same moment, in
    // which case our server exits at once and the next number is tried.
    for (int n = 80 + (getpid() % 100); n < 400 && !dpy_; ++n) {
        if (exists("/tmp/.X" + std::to_string(n) + "-lock") ||
            exists("/tmp/.X11-unix/X" + std::to_string(n)))
            continue;
        const std::string name = ":" + std::to_string(n);
        xvfb_ = spawn({"Xvfb", name, "-screen", "0",
                       std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten",
                       "tcp"},
                      {});
        bool died = false;
        waitFor(
            [&] {
                if (waitpid(xvfb_, nullptr, WNOHANG) == xvfb_) died = true;
                return died || (dpy_ = XOpenDisplay(name.c_str())) != nullptr;
            },
            10s);
        if (dpy_)
            number_ = n;
        else if (!died)
            kill(xvfb_, SIGTERM), waitpid(xvfb_, nullptr, 0);
    }
}

XSession::~XSession() {
    if (app_ > 0 && !exitCode_) {
        kill(app_, SIGKILL);
        waitpid(app_, nullptr, 0);
    }
    for (const pid_t pid : others_) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (dpy_) XCloseDisplay(dpy_);
    if (xvfb_ > 0) {
        kill(xvfb_, SIGTERM);
        waitpid(xvfb_, nullptr, 0);
    }
    std::error_code ignored;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
}

bool XSession::startApp(const std::string& env) {
    if (!dpy_) return false;
    const char* bin = getenv("VELOTRIX_BIN");
    std::vector<std::string> vars = {"DISPLAY=:" + std::to_string(number_)};
    if (!env.empty()) vars.push_back(env);
    app_ = spawn({bin ? bin : "velotrix"}, vars);
    if (!waitFor(
            [&] {
                if (auto w = findWindow("Velotrix")) main_ = *w;
                return main_ != 0;
            },
            10s))
        return false;
    // Mapped is not yet painted: wait for the Red swatch (990, 1305 twips in a client area
    // 607 logical pixels wide) to show.
    const Rect r = geometry(main_);
    const double scale = r.width / 607.0;
    const int x = r.x + static_cast<int>((990 + 150) / 15.0 * scale);
    const int y = r.y + static_cast<int>((1305 + 60) / 15.0 * scale);
    return waitFor([&] { return pixel(x, y) == 0xFF0000; }, 10s);
}

pid_t XSession::startOther(const std::vector<std::string>& args,
                           const std::vector<std::string>& env) {
    const char* bin = getenv("VELOTRIX_BIN");
    std::vector<std::string> argv = {bin ? bin : "velotrix"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> vars = {"DISPLAY=:" + std::to_string(number_)};
    vars.insert(vars.end(), env.begin(), env.end());
    const pid_t pid = spawn(argv, vars);
    others_.push_back(pid);
    return pid;
}

std::optional<int> XSession::waitOther(pid_t pid, std::chrono::milliseconds timeout) {
    std::optional<int> code;
    waitFor(
        [&] {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) != pid) return false;
            code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            std::erase(others_, pid);
            return true;
        },
        timeout);
    return code;
}

std::optional<Window> XSession::findWindow(const std::string& title, bool exact) const {
    Window root = DefaultRootWindow(dpy_), parent, *children = nullptr;
    unsigned n = 0;
    std::optional<Window> found;
    if (!XQueryTree(dpy_, root, &root, &parent, &children, &n)) return found;
    for (unsigned i = 0; i < n && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy_, children[i], &a) && a.map_state == IsViewable &&
            (exact ? titleOf(dpy_, children[i]) == title
                   : titleOf(dpy_, children[i]).rfind(title, 0) == 0))
            found = children[i];
    }
    if (children) XFree(children);
    return found;
}

Rect XSession::geometry(Window w) const {
    XWindowAttributes a{};
    XGetWindowAttributes(dpy_, w, &a);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

double XSession::residentMegabytes() const {
    std::ifstream f("/proc/" + std::to_string(app_) + "/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

bool XSession::appRunning() {
    if (exitCode_ || app_ <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(app_, &status, WNOHANG);
    if (r == app_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

std::optional<int> XSession::waitExit(std::chrono::milliseconds timeout) {
    waitFor([&] { return !appRunning(); }, timeout);
    return exitCode_;
}

void XSession::keyDown(const char* keysym) {
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, XStringToKeysym(keysym)), True, CurrentTime);
    XFlush(dpy_);
}

void XSession::keyUp(const char* keysym) {
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, XStringToKeysym(keysym)), False, CurrentTime);
    XFlush(dpy_);
}

bool XSession::holdUntil(std::initializer_list<const char*> keys, const std::function<bool()>& cond,
                         std::chrono::milliseconds timeout) {
    for (const char* k : keys) keyDown(k);
    const bool ok = waitFor(cond, timeout);
    for (const char* k : keys) keyUp(k);
    XSync(dpy_, False);
    return ok;
}

void XSession::moveTo(int x, int y) {
    XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
    XFlush(dpy_);
}

void XSession::click(int x, int y, int button) {
    moveTo(x, y);
    std::this_thread::sleep_for(30ms);
    XTestFakeButtonEvent(dpy_, button, True, CurrentTime);
    XFlush(dpy_);
    std::this_thread::sleep_for(30ms);
    XTestFakeButtonEvent(dpy_, button, False, CurrentTime);
    XFlush(dpy_);
}

void XSession::closeWindow(Window w) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(dpy_, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy_, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy_, w, False, NoEventMask, &ev);
    XFlush(dpy_);
}

bool XSession::focusOtherClient() {
    const Window other =
        XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 10, 10, 200, 100, 0, 0, 0);
    XMapRaised(dpy_, other);
    XSync(dpy_, False);
    std::this_thread::sleep_for(100ms);
    XSetInputFocus(dpy_, other, RevertToParent, CurrentTime);
    XSync(dpy_, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy_, &focus, &revert);
    return focus == other;
}

unsigned XSession::pixel(int x, int y) const {
    XImage* img = XGetImage(dpy_, DefaultRootWindow(dpy_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0xFFFFFFFF;
    const unsigned v = static_cast<unsigned>(XGetPixel(img, 0, 0)) & 0xFFFFFF;
    XDestroyImage(img);
    return v;
}

std::vector<unsigned> XSession::grab() const {
    std::vector<unsigned> out;
    XImage* img =
        XGetImage(dpy_, DefaultRootWindow(dpy_), 0, 0, width_, height_, AllPlanes, ZPixmap);
    if (!img) return out;
    out.resize(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out[static_cast<std::size_t>(y) * width_ + x] =
                static_cast<unsigned>(XGetPixel(img, x, y)) & 0xFFFFFF;
    XDestroyImage(img);
    return out;
}

std::vector<unsigned> XSession::grab(const Rect& r) const {
    std::vector<unsigned> out;
    XImage* img =
        XGetImage(dpy_, DefaultRootWindow(dpy_), r.x, r.y, r.width, r.height, AllPlanes, ZPixmap);
    if (!img) return out;
    out.reserve(static_cast<std::size_t>(r.width) * r.height);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            out.push_back(static_cast<unsigned>(XGetPixel(img, x, y)) & 0xFFFFFF);
    XDestroyImage(img);
    return out;
}

bool XSession::waitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (cond()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return cond();
}

void XSession::saveScreenshot(const std::string& path) const {
    const std::string cmd = "import -display :" + std::to_string(number_) + " -window root " + path;
    if (std::system(cmd.c_str()) != 0) return;
}

} // namespace vx::e2e
