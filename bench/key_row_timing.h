#pragma once
// The key loop's action for one row of the key table, started from a plain red test window
// and timed until the pattern is seen on the screen. Include Qt before this header.
#include "app/frm_main.h"
#include "host/events.h"
#include "patterns/frm_test.h"
#include "patterns_bench_support.h"
#include <functional>
#include <vector>

namespace vx::bench {

inline std::vector<double> timeKeyRow(e2e::XSession& s, int runs, int row,
                                      const std::function<bool(Display*)>& seen) {
    frmMain& main = SharedForm<frmMain>::get();
    Display* dpy = s.display();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        main.runKeyRow(1);
        serveUntil(DoEvents,
                   [&] { return screenLine(dpy, true, 0, 1) == std::vector<unsigned>{0xFF0000}; });
        const auto t0 = Clock::now();
        ScreenWatch watch(DisplayString(dpy), seen);
        main.runKeyRow(row);
        if (!serveUntil(DoEvents, [&] { return watch.done(); })) return {};
        times.push_back(std::chrono::duration<double, std::milli>(watch.at() - t0).count());
    }
    SharedForm<frmTest>::unload();
    DoEvents();
    return times;
}

} // namespace vx::bench
