// How fast the real program answers, press by press: XTest press (or click) to the first
// root-window frame that shows the new pattern, watched by a thread of its own; idle CPU of
// the key loop; start-up to the painted control window under a window manager.
#include "patterns_bench_support.h"
#include <X11/extensions/XTest.h>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <unistd.h>

using namespace vx;
using namespace vx::bench;
using namespace std::chrono_literals;

namespace {

constexpr int kPresses = 60;

struct Target {
    double median, p95;
};

void report(const std::string& what, const std::vector<double>& t, Target target) {
    if (t.empty()) {
        std::printf("%s: no figure (the pattern never showed)\n", what.c_str());
        return;
    }
    figure(what + ", median of " + std::to_string(t.size()), percentile(t, 0.5), "ms",
           target.median);
    figure(what + ", 95th percentile", percentile(t, 0.95), "ms", target.p95);
}

bool solidSeen(Display* d, int w, int h, unsigned rgb) {
    return screenLine(d, true, h / 2, 1) == std::vector<unsigned>{rgb} &&
           screenLine(d, true, h - 1, w).back() == rgb;
}

bool gradientSeen(Display* d, int w, int h) {
    return isGradient(screenLine(d, false, 0, h)) && isGradient(screenLine(d, false, w - 1, h));
}

bool stripesSeen(Display* d, int w, int h) {
    return isStripes(screenLine(d, true, h - 1, w), 4) && isStripes(screenLine(d, true, 0, w), 4);
}

// `act` once per run, `undo` after it; the time until seen() holds on the screen. Each gets
// the run's number.
using Step = std::function<void(int)>;
std::vector<double> timeToScreen(e2e::XSession& s, const Step& act, const Step& undo,
                                 const std::function<bool(Display*, int)>& seen) {
    std::vector<double> times;
    for (int i = 0; i < kPresses; ++i) {
        // Spread the presses over the key loop's 50 ms cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + (i * 13) % 50));
        ScreenWatch watch(DisplayString(s.display()),
                          [&seen, i](Display* d) { return seen(d, i); });
        const auto t0 = Clock::now();
        act(i);
        const auto end = t0 + 3s;
        while (!watch.done() && Clock::now() < end) std::this_thread::sleep_for(200us);
        if (!watch.done()) return {};
        times.push_back(std::chrono::duration<double, std::milli>(watch.at() - t0).count());
        undo(i);
    }
    return times;
}

// Back to a red screen between presses.
void red(e2e::XSession& s) {
    s.holdUntil({"1"},
                [&] { return s.pixel(0, 0) == 0xFF0000 && s.pixel(s.width() - 1, 0) == 0xFF0000; });
}

// A pair of keys pressed together on a red screen, each run.
std::vector<double> pairToScreen(e2e::XSession& s, const char* a, const char* b,
                                 const std::function<bool(Display*)>& seen) {
    return timeToScreen(
        s,
        [&](int) {
            s.keyDown(a);
            s.keyDown(b);
        },
        [&](int) {
            s.keyUp(a);
            s.keyUp(b);
            red(s);
        },
        [&](Display* d, int) { return seen(d); });
}

void keyRows(int w, int h, bool solidAndGradient) {
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    e2e::XSession s(w, h);
    if (!s.startApp()) return;
    red(s);
    if (solidAndGradient) {
        // Green and red in turn.
        const auto key = [](int i) { return i % 2 ? "1" : "2"; };
        report(
            "solid colour: key to screen, " + size,
            timeToScreen(
                s, [&](int i) { s.keyDown(key(i)); }, [&](int i) { s.keyUp(key(i)); },
                [&](Display* d, int i) { return solidSeen(d, w, h, i % 2 ? 0xFF0000 : 0x00FF00); }),
            {8, 17});
        red(s);
        report("gradient: V+G to screen, " + size,
               pairToScreen(s, "v", "g", [&](Display* d) { return gradientSeen(d, w, h); }),
               {12, 25});
    }
    report("line grid: H+L to screen, " + size,
           pairToScreen(s, "h", "l", [&](Display* d) { return stripesSeen(d, w, h); }),
           w > 2000 ? Target{35, 50} : Target{15, 30});
}

// Under openbox, as on a desktop: the manager's own traffic wakes nothing of the program's.
void idleRows() {
    setenv("VELOTRIX_E2E_WM", "openbox", 1);
    e2e::XSession s(1024, 768);
    unsetenv("VELOTRIX_E2E_WM");
    if (!s.startApp()) return;
    std::this_thread::sleep_for(2s);
    for (const bool pattern : {false, true}) {
        if (pattern) red(s);
        std::this_thread::sleep_for(1s);
        const double c0 = cpuSeconds(s.appPid());
        std::this_thread::sleep_for(60s);
        figure(std::string("idle key loop over 60 s, all threads, under openbox, ") +
                   (pattern ? "solid pattern shown" : "main window shown"),
               (cpuSeconds(s.appPid()) - c0) / 60.0 * 100.0, "% of one core", 0.05);
    }
}

// From the program's start to the first pixel of the Red swatch on the root window, watched
// without pause by a thread of its own, under openbox, as a person starts it: with the
// desktop's session bus when there is one, and without. Beside it, a bare Qt window started
// the same way: what the machine and Qt take before the program does anything of its own.
void startupRows() {
    setenv("VELOTRIX_E2E_WM", "openbox", 1);
    e2e::XSession s(1024, 768);
    unsetenv("VELOTRIX_E2E_WM");
    // Where the swatch shows: the manager puts the window at the same place every start.
    if (!s.startApp()) return;
    const e2e::Rect m = s.geometry(s.mainWindow());
    const double scale = m.width / 607.0;
    const int x = m.x + static_cast<int>((990 + 150) / 15.0 * scale);
    const int y = m.y + static_cast<int>((1305 + 60) / 15.0 * scale);
    kill(s.appPid(), SIGTERM);
    s.waitExit(3s);
    const char* busVar = getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string bus = busVar ? busVar : "";
    const std::string program = getenv("VELOTRIX_BIN");
    enum Kind { WithoutBus, WithBus, Bare };
    // One start after the other of each kind, so that all see the same load.
    std::vector<double> starts[3];
    for (int run = 0; run < 27; ++run) {
        const auto kind = static_cast<Kind>(run % 3);
        if (kind == WithBus && bus.empty()) continue;
        if (kind == WithBus)
            setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
        else
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
        setenv("VELOTRIX_BIN", kind == Bare ? BARE_WINDOW_BIN : program.c_str(), 1);
        ScreenWatch watch(DisplayString(s.display()), [&](Display* d) {
            return screenLine(d, true, y, x + 1).back() == 0xFF0000;
        });
        const auto t0 = Clock::now();
        const pid_t pid = s.startOther();
        const auto end = t0 + 10s;
        while (!watch.done() && Clock::now() < end) std::this_thread::sleep_for(200us);
        if (watch.done())
            starts[kind].push_back(
                std::chrono::duration<double, std::milli>(watch.at() - t0).count());
        kill(pid, SIGTERM);
        s.waitOther(pid, 3s);
        // The last picture goes from the screen before the next start.
        e2e::XSession::waitFor([&] { return s.pixel(x, y) != 0xFF0000; });
    }
    setenv("VELOTRIX_BIN", program.c_str(), 1);
    if (!bus.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
    for (const Kind kind : {WithoutBus, WithBus}) {
        if (starts[kind].size() < 5) {
            std::printf("start-up %s a session bus: no figure%s\n",
                        kind == WithBus ? "with" : "without",
                        kind == WithBus && bus.empty() ? " (run under dbus-run-session)" : "");
            continue;
        }
        figure(std::string("start-up to the painted main window, from outside, under openbox, ") +
                   (kind == WithBus ? "with" : "without") + " a session bus, median of " +
                   std::to_string(starts[kind].size()),
               percentile(starts[kind], 0.5), "ms", 60);
    }
    if (starts[Bare].size() >= 5)
        std::printf("for scale, a bare Qt window started the same way, without a session bus, "
                    "median of %zu: %.2f ms\n",
                    starts[Bare].size(), percentile(starts[Bare], 0.5));
}

void clickRows() {
    setenv("VELOTRIX_E2E_WM", "openbox", 1);
    e2e::XSession s(1024, 768);
    if (!s.startApp()) return;
    const e2e::Rect m = s.geometry(s.mainWindow());
    const double scale = m.width / 607.0;
    const int x = m.x + static_cast<int>((990 + 150) / 15.0 * scale);
    const int y = m.y + static_cast<int>((1305 + 60) / 15.0 * scale);
    s.moveTo(x, y);
    std::this_thread::sleep_for(300ms);
    report("click on the Red swatch to red on screen, 1024x768, under openbox",
           timeToScreen(
               s,
               [&](int) {
                   XTestFakeButtonEvent(s.display(), 1, True, CurrentTime);
                   XTestFakeButtonEvent(s.display(), 1, False, CurrentTime);
                   XFlush(s.display());
               },
               [&](int) {
                   // A click on a solid pattern closes it.
                   std::this_thread::sleep_for(50ms);
                   s.click(x, y);
                   e2e::XSession::waitFor([&] { return s.pixel(0, 0) != 0xFF0000; });
                   std::this_thread::sleep_for(100ms);
               },
               [&](Display* d, int) { return solidSeen(d, 1024, 768, 0xFF0000); }),
           {5, 12});
    unsetenv("VELOTRIX_E2E_WM");
}

} // namespace

// With arguments, only the groups named: keys, 4k (the line grid at 3840 x 2160 alone), idle,
// startup, click.
int main(int argc, char** argv) {
    setenv("VELOTRIX_BIN", VELOTRIX_BIN, 0);
    const auto wanted = [&](std::string_view group) {
        if (argc < 2) return true;
        for (int i = 1; i < argc; ++i)
            if (group == argv[i]) return true;
        return false;
    };
    std::printf("load average while measuring: %.2f\n", loadAverage());
    if (wanted("keys")) keyRows(1920, 1080, true);
    if (wanted("keys") || wanted("4k")) keyRows(3840, 2160, false);
    if (wanted("idle")) idleRows();
    if (wanted("startup")) startupRows();
    if (wanted("click")) clickRows();
    return 0;
}
