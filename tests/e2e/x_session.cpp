#include "e2e/x_session.h"
#include "e2e/dummy_outputs.h"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

// Standard error goes to errors when named, else with standard output to nowhere. With
// ownGroup the child leads a process group of its own, which ends with it as a whole.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& errors = "", bool ownGroup = false) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (ownGroup) setpgid(0, 0);
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0 && !getenv("E2E_VERBOSE")) {
        dup2(devnull, 1);
        dup2(devnull, 2);
    }
    const int err = errors.empty() ? -1 : open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err >= 0) dup2(err, 2);
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

std::vector<Window> children(Display* dpy, Window w) {
    Window root = 0, parent = 0, *kids = nullptr;
    unsigned n = 0;
    std::vector<Window> out;
    if (XQueryTree(dpy, w, &root, &parent, &kids, &n) && kids) out.assign(kids, kids + n);
    if (kids) XFree(kids);
    return out;
}

void sendToRoot(Display* dpy, Window w, const char* type, std::initializer_list<long> data) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(dpy, type, False);
    ev.xclient.format = 32;
    int i = 0;
    for (long v : data) ev.xclient.data.l[i++] = v;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
}

// Whether the window's title is the one given, or begins with it.
bool titled(Display* dpy, Window w, const std::string& title, bool exact) {
    const std::string t = titleOf(dpy, w);
    return exact ? t == title : t.rfind(title, 0) == 0;
}

} // namespace

XSession::XSession(int width, int height, const std::vector<Rect>& monitors)
    : width_(width), height_(height) {
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
    // The real server runs under openbox unless the variable names another (empty: none).
    const char* wm = getenv("VELOTRIX_E2E_WM");
    if (!wm && realServer()) wm = "openbox";
    // xfwm4 sees a monitor only where it has an output, and Xvfb has one: its monitors are
    // outputs of the X.Org server's dummy driver.
    dummy_ = !monitors.empty() && wm && std::string(wm) == "xfwm4";
    // A free display number; another test run may take the same one at the same moment, in
    // which case our server exits at once and the next number is tried. VELOTRIX_E2E_DISPLAYS
    // ("250-299") keeps the runs of one user within a range of their own.
    int first = 80, last = 399;
    if (const char* range = getenv("VELOTRIX_E2E_DISPLAYS"))
        if (std::sscanf(range, "%d-%d", &first, &last) != 2 || first < 0 || last < first)
            first = 80, last = 399;
    const int span = last - first + 1;
    for (int i = 0; i < span && !dpy_; ++i) {
        const int n = first + (getpid() % 100 + i) % span;
        if (exists("/tmp/.X" + std::to_string(n) + "-lock") ||
            exists("/tmp/.X11-unix/X" + std::to_string(n)))
            continue;
        const std::string name = ":" + std::to_string(n);
        xvfb_ = spawn(serverCommand(name), {});
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
    // A window manager learns the monitors when it starts, as on a desktop.
    if (dpy_ && !monitors.empty()) setMonitors(monitors);
    if (dpy_ && wm && *wm) startWindowManager(wm);
}

bool XSession::realServer() {
    const char* server = getenv("VELOTRIX_E2E_SERVER");
    return server && std::string(server) == "xorg";
}

// Xvfb, or with VELOTRIX_E2E_SERVER=xorg the X.Org server on its dummy video driver, at one
// mode of the session's size.
std::vector<std::string> XSession::serverCommand(const std::string& name) const {
    const std::string w = std::to_string(width_), h = std::to_string(height_);
    if (!realServer() && !dummy_)
        return {"Xvfb", name, "-screen", "0", w + "x" + h + "x24", "-nolisten", "tcp"};
    // Kept beside this file.
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "xorg-dummy.conf");
    std::string conf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Short blanking at 60 Hz, which the dummy driver takes for any size.
    const int htotal = width_ + 160, vtotal = height_ + 30;
    const std::string modeline = std::to_string(htotal * static_cast<double>(vtotal) * 60 / 1e6) +
                                 " " + w + " " + std::to_string(width_ + 48) + " " +
                                 std::to_string(width_ + 80) + " " + std::to_string(htotal) + " " +
                                 h + " " + std::to_string(height_ + 3) + " " +
                                 std::to_string(height_ + 8) + " " + std::to_string(vtotal);
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"@WIDTH@", w},
                                     {"@HEIGHT@", h},
                                     {"@MODELINE@", modeline}})
        for (std::size_t at; (at = conf.find(key)) != std::string::npos;)
            conf.replace(at, key.size(), value);
    const std::string path = runtimeDir_ + "/xorg" + name.substr(1) + ".conf";
    std::ofstream(path) << conf;
    return {"Xorg", name,       "-config",
            path,   "-noreset", "-nolisten",
            "tcp",  "-logfile", runtimeDir_ + "/xorg" + name.substr(1) + ".log"};
}

void XSession::startWindowManager(const std::string& name) {
    const std::string display = "DISPLAY=:" + std::to_string(number_);
    // xfwm4 and metacity read their settings over a session bus, as on a desktop: one of
    // their own, which lives as long as the manager does. Its group takes the bus and what
    // the bus started down with it.
    if (name == "xfwm4")
        wm_ = spawn({"dbus-run-session", "--", "xfwm4", "--compositor=off"},
                    {display, "NO_AT_BRIDGE=1"}, "", true);
    else if (name == "metacity")
        wm_ = spawn({"dbus-run-session", "--", "metacity", "--sm-disable"},
                    {display, "NO_AT_BRIDGE=1"}, "", true);
    else
        wm_ = spawn({name, "--sm-disable"}, {display}, "", true);
    // The window manager manages the screen once the root window names its check window
    // and that window names it back.
    const Window root = DefaultRootWindow(dpy_);
    const auto managing = [&] {
        const auto check = property(root, "_NET_SUPPORTING_WM_CHECK");
        return !check.empty() &&
               property(static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK") == check;
    };
    wmFailed_ = !waitFor([&] { return waitpid(wm_, nullptr, WNOHANG) == 0 && managing(); }, 10s);
    // It names itself before it has finished starting, and a window mapped before then is
    // never managed: a probe window must be taken in first.
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!wmFailed_) {
        const Window probe = XCreateSimpleWindow(dpy_, root, 0, 0, 1, 1, 0, 0, 0);
        XMapWindow(dpy_, probe);
        XSync(dpy_, False);
        const bool managed = waitFor([&] { return !property(probe, "WM_STATE").empty(); }, 300ms);
        XDestroyWindow(dpy_, probe);
        XSync(dpy_, False);
        if (managed) break;
        wmFailed_ = std::chrono::steady_clock::now() > end;
    }
}

XSession::~XSession() {
    stopBurners();
    if (app_ > 0 && !exitCode_) {
        kill(app_, SIGKILL);
        waitpid(app_, nullptr, 0);
    }
    for (const pid_t pid : others_) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (wm_ > 0) {
        kill(-wm_, SIGCONT);
        kill(-wm_, SIGTERM);
        waitpid(wm_, nullptr, 0);
        // What is left of the group (xfwm4 tidying up after its bus has gone) would never end.
        kill(-wm_, SIGKILL);
    }
    if (dpy_) XCloseDisplay(dpy_);
    if (xvfb_ > 0) {
        kill(xvfb_, SIGTERM);
        waitpid(xvfb_, nullptr, 0);
    }
    std::error_code ignored;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
}

// The binary VELOTRIX_BIN names, else the one built beside the tests.
static std::string programPath() {
    const char* bin = getenv("VELOTRIX_BIN");
#ifdef VELOTRIX_BUILT_BIN
    if (!bin || !*bin) bin = VELOTRIX_BUILT_BIN;
#endif
    return bin && *bin ? bin : "velotrix";
}

bool XSession::startApp(const std::string& env) {
    if (!dpy_ || wmFailed_) return false;
    std::vector<std::string> vars = {"DISPLAY=:" + std::to_string(number_)};
    if (!env.empty()) vars.push_back(env);
    app_ = spawn({programPath()}, vars, runtimeDir_ + "/app-errors");
    if (!waitFor(
            [&] {
                if (auto w = findWindow("Velotrix")) main_ = *w;
                return main_ != 0;
            },
            10s))
        return false;
    // Mapped is not yet painted: wait for the Red swatch (990, 1305 twips in a client area
    // 607 logical pixels wide) to show. A window manager may still move the window.
    return waitFor(
        [&] {
            const Rect r = geometry(main_);
            const double scale = r.width / 607.0;
            return pixel(r.x + static_cast<int>((990 + 150) / 15.0 * scale),
                         r.y + static_cast<int>((1305 + 60) / 15.0 * scale)) == 0xFF0000;
        },
        10s);
}

pid_t XSession::startOther(const std::vector<std::string>& args,
                           const std::vector<std::string>& env) {
    std::vector<std::string> argv = {programPath()};
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
    const auto matches = [&](Window w) { return titled(dpy_, w, title, exact); };
    // The manager's list of its clients is the quick way; windows it does not manage are
    // found in the tree.
    if (wm_ > 0)
        for (unsigned long c : property(DefaultRootWindow(dpy_), "_NET_CLIENT_LIST_STACKING"))
            if (viewable(c) && matches(c)) return c;
    const std::vector<Window> all = findWindows(title, exact);
    return all.empty() ? std::nullopt : std::optional<Window>(all.front());
}

std::vector<Window> XSession::findWindows(const std::string& title, bool exact) const {
    const auto matches = [&](Window w) { return titled(dpy_, w, title, exact); };
    // A top-level window is the client itself on a bare server; under a reparenting window
    // manager it is a frame that holds the client a level or two down.
    std::vector<Window> found;
    const std::function<void(Window, int)> search = [&](Window w, int depth) {
        if (matches(w)) return found.push_back(w);
        if (depth == 0) return;
        for (Window c : children(dpy_, w))
            if (viewable(c)) search(c, depth - 1);
    };
    for (Window top : children(dpy_, DefaultRootWindow(dpy_)))
        if (viewable(top)) search(top, wm_ > 0 ? 2 : 0);
    return found;
}

bool XSession::onScreenColormap(Window w) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(dpy_, w, &a) && a.colormap == DefaultColormapOfScreen(a.screen);
}

Rect XSession::geometry(Window w) const {
    XWindowAttributes a{};
    XGetWindowAttributes(dpy_, w, &a);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

Rect XSession::frameGeometry(Window w) const {
    const Window root = DefaultRootWindow(dpy_);
    Window top = w;
    for (int i = 0; i < 8; ++i) {
        Window r = 0, parent = 0, *kids = nullptr;
        unsigned n = 0;
        if (!XQueryTree(dpy_, top, &r, &parent, &kids, &n)) break;
        if (kids) XFree(kids);
        if (parent == root || parent == 0) break;
        top = parent;
    }
    XWindowAttributes a{};
    XGetWindowAttributes(dpy_, top, &a);
    // The frame's own border is part of what the user sees of it.
    return {a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
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
        killedBy_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        return false;
    }
    return true;
}

std::optional<int> XSession::waitExit(std::chrono::milliseconds timeout) {
    waitFor([&] { return !appRunning(); }, timeout);
    return exitCode_;
}

// A key held on a busy machine: every core spins while a key is down, so that the program,
// the server and the window manager get the processor as on a loaded desktop.
void XSession::startBurners() {
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    for (long i = 0; i < std::max(1L, cores); ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            volatile unsigned long spins = 0;
            for (;;) spins = spins + 1;
        }
        if (pid > 0) burners_.push_back(pid);
    }
}

void XSession::stopBurners() {
    for (const pid_t pid : burners_) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    burners_.clear();
}

std::string XSession::appErrors() const {
    std::ifstream f(runtimeDir_ + "/app-errors");
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void XSession::stopServer() {
    // This session's connection goes first: Xlib would end the test run on losing it.
    if (dpy_) XCloseDisplay(dpy_);
    dpy_ = nullptr;
    if (xvfb_ > 0) kill(xvfb_, SIGTERM), waitpid(xvfb_, nullptr, 0);
    xvfb_ = -1;
}

void XSession::switchDesktop(int n) {
    sendToRoot(dpy_, DefaultRootWindow(dpy_), "_NET_CURRENT_DESKTOP", {n, CurrentTime});
}

void XSession::keyDown(const char* keysym) {
    if (held_++ == 0) startBurners();
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, XStringToKeysym(keysym)), True, CurrentTime);
    XFlush(dpy_);
}

void XSession::keyUp(const char* keysym) {
    XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, XStringToKeysym(keysym)), False, CurrentTime);
    XFlush(dpy_);
    if (held_ > 0 && --held_ == 0) stopBurners();
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

void XSession::moveWindow(Window w, int x, int y) {
    XMoveWindow(dpy_, w, x, y);
    XSync(dpy_, False);
}

void XSession::setMonitors(const std::vector<Rect>& monitors) {
    if (dummy_ && setDummyOutputs(dpy_, monitors, width_, height_)) return;
    const Window root = DefaultRootWindow(dpy_);
    XRRScreenResources* res = XRRGetScreenResources(dpy_, root);
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        // An output belongs to one monitor: given to the first, it no longer makes its own.
        const bool withOutput = i == 0 && res && res->noutput > 0;
        XRRMonitorInfo* m = XRRAllocateMonitor(dpy_, withOutput ? 1 : 0);
        m->name = XInternAtom(dpy_, ("M" + std::to_string(i)).c_str(), False);
        m->x = monitors[i].x;
        m->y = monitors[i].y;
        m->width = monitors[i].width;
        m->height = monitors[i].height;
        m->mwidth = monitors[i].width * 254 / 960; // 96 dots per inch
        m->mheight = monitors[i].height * 254 / 960;
        if (withOutput) m->outputs[0] = res->outputs[0];
        XRRSetMonitor(dpy_, root, m);
        XRRFreeMonitors(m);
    }
    if (res) XRRFreeScreenResources(res);
    XSync(dpy_, False);
}

void XSession::removeMonitor(int i) {
    if (dummy_) return dropDummyOutput(dpy_, i);
    XRRDeleteMonitor(dpy_, DefaultRootWindow(dpy_),
                     XInternAtom(dpy_, ("M" + std::to_string(i)).c_str(), False));
    XSync(dpy_, False);
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

bool XSession::waitViewable(Window w) const {
    return waitFor([&] { return viewable(w); }, 5s);
}

bool XSession::viewable(Window w) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(dpy_, w, &a) && a.map_state == IsViewable;
}

Window XSession::mapOtherClient(const Rect& r, unsigned rgb) {
    const Window other =
        XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), r.x, r.y, r.width, r.height, 0, 0, rgb);
    XStoreName(dpy_, other, "other client");
    // Where it was asked to be: a window manager would otherwise place it as it likes.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    XSetWMNormalHints(dpy_, other, &hints);
    XMapRaised(dpy_, other);
    XSync(dpy_, False);
    return waitViewable(other) ? other : 0;
}

bool XSession::focusOtherClient() {
    const Window other = mapOtherClient({10, 10, 200, 100});
    if (!other) return false;
    std::this_thread::sleep_for(100ms);
    XSetInputFocus(dpy_, other, RevertToParent, CurrentTime);
    XSync(dpy_, False);
    return waitFor([&] { return focus() == other; }, 1s);
}

Window XSession::mapPanel(int height) {
    const Window panel =
        XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 0, 0, width_, height, 0, 0, 0x808080);
    XStoreName(dpy_, panel, "panel");
    const Atom cardinal = XA_CARDINAL, atom = XA_ATOM;
    const long dock = static_cast<long>(XInternAtom(dpy_, "_NET_WM_WINDOW_TYPE_DOCK", False));
    XChangeProperty(dpy_, panel, XInternAtom(dpy_, "_NET_WM_WINDOW_TYPE", False), atom, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dock), 1);
    // Top strut along the whole width: left, right, top, bottom, then the start and end of
    // each edge's span.
    const long strut[12] = {0, 0, height, 0, 0, 0, 0, 0, 0, width_ - 1, 0, 0};
    XChangeProperty(dpy_, panel, XInternAtom(dpy_, "_NET_WM_STRUT_PARTIAL", False), cardinal, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(strut), 12);
    XChangeProperty(dpy_, panel, XInternAtom(dpy_, "_NET_WM_STRUT", False), cardinal, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(strut), 4);
    XMapRaised(dpy_, panel);
    XSync(dpy_, False);
    if (!waitViewable(panel)) return 0;
    // Under a window manager the strut counts once the work area leaves it out.
    if (wm_ > 0 && !waitFor([&] {
            const auto area = property(DefaultRootWindow(dpy_), "_NET_WORKAREA");
            return area.size() >= 4 && static_cast<int>(area[1]) >= height;
        }))
        return 0;
    return panel;
}

void XSession::raise(Window w) {
    if (wm_ > 0) {
        // As a pager or task bar asks for it (source 2), which the manager does not refuse.
        sendToRoot(dpy_, w, "_NET_WM_STATE",
                   {1, static_cast<long>(XInternAtom(dpy_, "_NET_WM_STATE_ABOVE", False)), 0, 2});
        sendToRoot(dpy_, w, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0});
    }
    XRaiseWindow(dpy_, w);
    XSync(dpy_, False);
}

bool XSession::compositing() const {
    return XGetSelectionOwner(dpy_, XInternAtom(dpy_, "_NET_WM_CM_S0", False)) != None;
}

void XSession::pauseWindowManager(bool paused) {
    if (wm_ > 0) kill(-wm_, paused ? SIGSTOP : SIGCONT);
}

void XSession::minimise(Window w) {
    sendToRoot(dpy_, w, "WM_CHANGE_STATE", {IconicState});
}

void XSession::dropState(Window w, const std::string& state) {
    sendToRoot(dpy_, w, "_NET_WM_STATE",
               {0, static_cast<long>(XInternAtom(dpy_, state.c_str(), False)), 0, 2});
}

Window XSession::focus() const {
    Window f = 0;
    int revert = 0;
    XGetInputFocus(dpy_, &f, &revert);
    return f;
}

std::vector<unsigned long> XSession::property(Window w, const std::string& name) const {
    std::vector<unsigned long> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy_, w, XInternAtom(dpy_, name.c_str(), False), 0, 1024, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data) {
        // Xlib hands 32-bit items over as longs.
        if (format == 32) {
            const auto* v = reinterpret_cast<const unsigned long*>(data);
            out.assign(v, v + count);
        }
        XFree(data);
    }
    return out;
}

std::vector<std::string> XSession::atomNames(Window w, const std::string& name) const {
    std::vector<std::string> out;
    for (unsigned long a : property(w, name)) {
        char* n = XGetAtomName(dpy_, static_cast<Atom>(a));
        if (n) {
            out.emplace_back(n);
            XFree(n);
        }
    }
    return out;
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
