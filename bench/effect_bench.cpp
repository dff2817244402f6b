// The screen effect at 1920 x 1080: block copies per second and frames presented per second,
// in this process on an Xvfb server of its own.
// Qt before Xlib, whose macros break Qt's headers.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "app/frm_main.h"
#include "host/events.h"
#include "patterns/frm_eff.h"
#include "patterns/frm_test.h"
#include "patterns_bench_support.h"
#include "platform/gdi.h"
#include "platform/qt/window_table.h"
#include <cstdio>

using namespace vx;
using namespace vx::bench;
using namespace std::chrono_literals;

namespace {

// Counts the repaints of one widget: each is a frame that goes to the screen.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct Figures {
    double blocksPerSecond, framesPerSecond;
};

// Runs the effect for about `seconds`, then presses the mouse on it as a user would.
Figures runEffect(double seconds) {
    PaintCounter counter;
    long blocks = 0;
    Clock::time_point start;
    bool pressed = false;
    QWidget* window = nullptr;
    win::setBitBltObserver([&](const win::BitBltCall& c) {
        if (c.hdcSrc != c.hdcDest) return; // the screen picture, not a block
        if (blocks++ == 0) {
            window = win::qt::widgetFromHandle(SharedForm<frmEff>::get().hWnd());
            window->installEventFilter(&counter);
            start = Clock::now();
        }
        if (!pressed && msSince(start) >= seconds * 1000) {
            pressed = true;
            const QPointF at(10, 10);
            QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, at, at,
                                                                Qt::LeftButton, Qt::LeftButton,
                                                                Qt::NoModifier));
        }
    });
    SharedForm<frmEff>::get().doeffect();
    win::setBitBltObserver(nullptr);
    const double elapsed = msSince(start) / 1000.0;
    return {blocks / elapsed, counter.paints / elapsed};
}

} // namespace

int main(int argc, char** argv) {
    std::printf("load average while measuring: %.2f\n", loadAverage());
    e2e::XSession s(1920, 1080);
    setenv("DISPLAY", DisplayString(s.display()), 1);
    QApplication app(argc, argv);
    // Something to crumble: the vertical gradient on the test window.
    frmMain& main = SharedForm<frmMain>::get();
    main.runKeyRow(12);
    serveUntil(DoEvents, [&] { return isGradient(screenLine(s.display(), false, 960, 1080)); });

    std::vector<double> blocks, frames;
    for (int run = 0; run < 3; ++run) {
        const Figures f = runEffect(3.0);
        blocks.push_back(f.blocksPerSecond);
        frames.push_back(f.framesPerSecond);
    }
    figure("effect block copies per second, 1920x1080, median of 3 runs of 3 s",
           percentile(blocks, 0.5), "blocks/s", 10000, false);
    figure("effect frames presented per second, 1920x1080, median of 3 runs of 3 s",
           percentile(frames, 0.5), "frames/s", 60, false);
    SharedForm<frmTest>::unload();
    SharedForm<frmTest>::release();
    SharedForm<frmMain>::release();
    return 0;
}
