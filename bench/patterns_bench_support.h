#pragma once
// Shared pieces of the pattern benchmarks: the program's forms driven in this process on an
// Xvfb server of its own, and the screen read back through a second connection.
#include "bench_stats.h"
#include "e2e/x_session.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vx::bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// One row or column of the root window, 0xRRGGBB.
inline std::vector<unsigned> screenLine(Display* dpy, bool row, int at, int length) {
    std::vector<unsigned> out;
    XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), row ? 0 : at, row ? at : 0,
                            row ? length : 1, row ? 1 : length, AllPlanes, ZPixmap);
    if (!img) return out;
    out.reserve(length);
    for (int i = 0; i < length; ++i)
        out.push_back(static_cast<unsigned>(XGetPixel(img, row ? i : 0, row ? 0 : i)) & 0xFFFFFF);
    XDestroyImage(img);
    return out;
}

// White and black runs of `width` pixels from white, the last one possibly cut short.
inline bool isStripes(const std::vector<unsigned>& line, int width) {
    if (line.empty()) return false;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] != ((i / width) % 2 == 0 ? 0xFFFFFFu : 0u)) return false;
    return true;
}

// Bands from blue to red: the first and last pixels and one in the middle are right.
inline bool isGradient(const std::vector<unsigned>& line) {
    if (line.size() < 256) return false;
    const std::size_t mid = line.size() / 2;
    const unsigned band = static_cast<unsigned>(mid * 256 / line.size());
    return line.front() == 0x0000FF && line.back() == 0xFF0000 && (line[mid] >> 16) == band &&
           (line[mid] & 0xFF) == 255 - band;
}

// Runs until done() holds, serving events in between; false after the timeout.
inline bool serveUntil(const std::function<void()>& serve, const std::function<bool()>& done,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        serve();
        if (done()) return true;
    }
    return false;
}

// Watches the screen from a thread of its own, over a connection of its own, so that the
// moment a picture reaches the screen is seen while the program's thread is still busy.
class ScreenWatch {
  public:
    // seen(dpy) tells whether the awaited picture is on the screen.
    ScreenWatch(const std::string& display, std::function<bool(Display*)> seen)
        : thread_([this, display, seen = std::move(seen)] {
              Display* dpy = XOpenDisplay(display.c_str());
              if (!dpy) return;
              while (!seen(dpy)) {
                  if (stop_) {
                      XCloseDisplay(dpy);
                      return;
                  }
              }
              at_ = Clock::now();
              done_ = true;
              XCloseDisplay(dpy);
          }) {}
    ~ScreenWatch() {
        stop_ = true;
        thread_.join();
    }
    bool done() const { return done_; }
    Clock::time_point at() const { return at_; }

  private:
    std::atomic<bool> stop_{false}, done_{false};
    Clock::time_point at_;
    std::thread thread_;
};

// Presses the keys of a pattern on the real program until seen(dpy) holds, `runs` times with
// a red screen (key 1) in between; the times from key down to the picture on the screen.
inline std::vector<double> keyToScreen(e2e::XSession& s, std::initializer_list<const char*> keys,
                                       const std::function<bool(Display*)>& seen, int runs) {
    Display* dpy = s.display();
    const auto red = [&] { return screenLine(dpy, true, 0, 1) == std::vector<unsigned>{0xFF0000}; };
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        s.holdUntil({"1"}, red);
        // Spread the presses over the key loop's 50 ms cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + (i * 13) % 50));
        const auto t0 = Clock::now();
        for (const char* k : keys) s.keyDown(k);
        const bool ok =
            e2e::XSession::waitFor([&] { return seen(dpy); }, std::chrono::milliseconds(3000));
        const double ms = msSince(t0);
        for (const char* k : keys) s.keyUp(k);
        if (!ok) return {};
        times.push_back(ms);
    }
    return times;
}

// The one-minute load average, which the figures depend on.
inline double loadAverage() {
    std::ifstream f("/proc/loadavg");
    double v = 0;
    f >> v;
    return v;
}

} // namespace vx::bench
