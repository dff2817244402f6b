// Line grids: from H+L to the stripes on the screen at 3840 x 2160 (961 stripes) and
// 1920 x 1080, in this process from the key loop's action (the drawing and its way to the
// screen) and through the real program from the key press (the key loop's pause ends on it).
// The budgets: a line grid as fast as a solid colour, within a frame or two.
// Qt before Xlib, whose macros break Qt's headers.
#include <QApplication>

#include "key_row_timing.h"
#include <cstdio>

using namespace vx;
using namespace vx::bench;

namespace {

bool stripesSeen(Display* d, int w, int h) {
    return isStripes(screenLine(d, true, h - 1, w), 4) && isStripes(screenLine(d, true, 0, w), 4);
}

} // namespace

// With "inprocess" as the argument only the in-process figures are taken (for profiling).
int main(int argc, char** argv) {
    setenv("VELOTRIX_BIN", VELOTRIX_BIN, 0);
    const bool onlyInProcess = argc > 1 && std::string(argv[1]) == "inprocess";
    std::printf("load average while measuring: %.2f\n", loadAverage());
    struct Size {
        int w, h;
        double median, p95; // budgets, ms
    };
    const Size screens[] = {{3840, 2160, 35, 50}, {1920, 1080, 15, 30}};
    for (auto [w, h, median, p95] : screens) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        {
            e2e::XSession s(w, h);
            setenv("DISPLAY", DisplayString(s.display()), 1);
            QApplication app(argc, argv);
            const auto t = timeKeyRow(
                s, 20, 15, [&](Display* d) { return stripesSeen(d, s.width(), s.height()); });
            SharedForm<frmMain>::release();
            SharedForm<frmTest>::release();
            if (t.empty()) return 1;
            figure("lines: H+L acted on to stripes on screen, " + size + ", median of 20",
                   percentile(t, 0.5), "ms", median);
            figure("lines: H+L acted on to stripes on screen, " + size + ", 95th percentile",
                   percentile(t, 0.95), "ms", p95);
        }
        if (onlyInProcess) continue;
        e2e::XSession s(w, h);
        if (!s.startApp()) return 1;
        const auto k = keyToScreen(
            s, {"h", "l"}, [&](Display* d) { return stripesSeen(d, w, h); }, 20);
        if (k.empty()) return 1;
        figure("lines: H+L key down to stripes on screen (real program), " + size +
                   ", median of 20",
               percentile(k, 0.5), "ms", median);
        figure("lines: H+L key down to stripes on screen (real program), " + size +
                   ", 95th percentile",
               percentile(k, 0.95), "ms", p95);
    }
    return 0;
}
