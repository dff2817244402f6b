// Gradients: from V+G to the 256 bands on the screen, in this process from the key loop's
// action and through the real program from the key press.
// Qt before Xlib, whose macros break Qt's headers.
#include <QApplication>

#include "key_row_timing.h"
#include <cstdio>

using namespace vx;
using namespace vx::bench;

namespace {

bool gradientSeen(Display* d, int w, int h) {
    return isGradient(screenLine(d, false, 0, h)) && isGradient(screenLine(d, false, w - 1, h));
}

} // namespace

int main(int argc, char** argv) {
    setenv("VELOTRIX_BIN", VELOTRIX_BIN, 0);
    std::printf("load average while measuring: %.2f\n", loadAverage());
    const std::pair<int, int> screens[] = {{3840, 2160}, {1920, 1080}};
    for (auto [w, h] : screens) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        e2e::XSession s(w, h);
        setenv("DISPLAY", DisplayString(s.display()), 1);
        QApplication app(argc, argv);
        const auto t = timeKeyRow(
            s, 20, 12, [&](Display* d) { return gradientSeen(d, s.width(), s.height()); });
        SharedForm<frmMain>::release();
        SharedForm<frmTest>::release();
        if (t.empty()) return 1;
        figure("gradient: V+G acted on to bands on screen, " + size + ", median of 20",
               percentile(t, 0.5), "ms", 16.7);
        figure("gradient: V+G acted on to bands on screen, " + size + ", 95th percentile",
               percentile(t, 0.95), "ms", 16.7);
    }
    e2e::XSession s(1920, 1080);
    if (!s.startApp()) return 1;
    const auto k = keyToScreen(
        s, {"v", "g"}, [&](Display* d) { return gradientSeen(d, 1920, 1080); }, 20);
    if (k.empty()) return 1;
    // One poll cycle (50 ms) plus one frame.
    figure("gradient: V+G key down to bands on screen (real program), 1920x1080, median of 20",
           percentile(k, 0.5), "ms", 66.7);
    figure("gradient: V+G key down to bands on screen (real program), 1920x1080, 95th percentile",
           percentile(k, 0.95), "ms", 66.7);
    return 0;
}
