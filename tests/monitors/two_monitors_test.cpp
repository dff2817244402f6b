// Two monitors of different sizes and scale factors (two_monitors.json, in logical pixels as
// the offscreen platform takes them: 1280 x 1024 at scale 1, and a 1920 x 1080 panel at scale 2
// beside it): every pattern and the effect cover the one that holds the centre of the main
// window, at its own size.
#include "patterns/frm_eff.h"
#include "platform/gdi.h"
#include "platform/qt/device_context.h"
#include "support/app_fixture.h"
#include "unit/patterns_support.h"
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

struct MonitorCase {
    const char* screen;
    QRect logical;           // where Qt places it
    QSize device;            // its pixels
    int stacked, sideBySide; // stripes of vl and hl: 60 twips each, one more than fit
    QPoint origin;           // its top-left corner in a picture of the whole desktop
};

void PrintTo(const MonitorCase& c, std::ostream* os) {
    *os << c.screen;
}

class OnMonitor : public MainWindowTest, public ::testing::WithParamInterface<MonitorCase> {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == GetParam().screen) monitor = s;
        ASSERT_NE(monitor, nullptr) << "run with -platform offscreen:configfile=two_monitors.json";
        // The user drags the main window onto the monitor.
        QWidget* w = widgetOf(main->hWnd());
        w->move(monitor->geometry().center() - w->rect().center());
        ASSERT_EQ(QGuiApplication::screenAt(w->frameGeometry().center()), monitor);
    }
    void TearDown() override {
        win::setBitBltObserver(nullptr);
        SharedForm<frmEff>::unload();
        SharedForm<frmEff>::release();
        MainWindowTest::TearDown();
    }
    int count(const std::string& prefix) {
        int n = 0;
        while (test().control(prefix + std::to_string(n))) ++n;
        return n;
    }
    QScreen* monitor = nullptr;
};

// The lengths of the runs of equal colour along one side of an image.
std::vector<int> runLengths(const QImage& img, bool vertical) {
    std::vector<int> out;
    QRgb last = 0;
    for (int i = 0; i < (vertical ? img.height() : img.width()); ++i) {
        const QRgb p = vertical ? img.pixel(0, i) : img.pixel(i, 0);
        if (out.empty() || p != last) out.push_back(0);
        ++out.back();
        last = p;
    }
    return out;
}

TEST_P(OnMonitor, PatternsAndTheEffectCoverIt) {
    const MonitorCase& c = GetParam();
    const double dpr = static_cast<double>(c.device.width()) / c.logical.width();

    main->stColor(1);
    QWidget* tw = widgetOf(test().hWnd());
    EXPECT_EQ(tw->geometry(), c.logical);
    EXPECT_EQ(tw->screen(), monitor);
    EXPECT_EQ(drawnImage(test()).size(), c.device);

    main->bLinesDrawn = vbTrue;
    main->vl();
    EXPECT_EQ(count("pv"), c.stacked);
    main->hl();
    EXPECT_EQ(count("ph"), c.sideBySide);
    // Stripes are 4 logical pixels: whole device pixels at the monitor's scale.
    const std::vector<int> stripes = runLengths(widgetOf(test().hWnd())->grab().toImage(), false);
    ASSERT_GT(stripes.size(), 2u);
    EXPECT_EQ(stripes[0], static_cast<int>(4 * dpr));
    EXPECT_EQ(stripes[1], static_cast<int>(4 * dpr));

    for (const bool vertical : {true, false}) {
        vertical ? main->vg() : main->hg();
        const QImage& img = drawnImage(test());
        ASSERT_EQ(img.size(), c.device);
        const std::vector<int> bands = runLengths(img, vertical);
        const int side = vertical ? c.device.height() : c.device.width();
        ASSERT_EQ(bands.size(), 256u) << vertical;
        for (int b : bands) ASSERT_TRUE(b == side / 256 || b == (side + 255) / 256) << b;
    }

    // The effect captures the monitor, from its place in a picture of the whole desktop, and
    // lays its window over it, at its size. (What the offscreen platform grabs of a window is
    // not its picture, so only the place is checked.)
    win::BitBltCall capture{};
    QPoint origin;
    QRect covered;
    std::size_t n = 0;
    win::setBitBltObserver([&](const win::BitBltCall& call) {
        if (++n == 1) {
            capture = call;
            origin = win::qt::dcFromHandle(call.hdcSrc)->origin;
        }
        if (n != 2) return;
        QWidget* ew = widgetOf(SharedForm<frmEff>::get().hWnd());
        covered = ew->geometry();
        postPress(ew);
    });
    SharedForm<frmEff>::get().doeffect();
    EXPECT_EQ(QSize(capture.cx, capture.cy), c.device);
    EXPECT_EQ(origin, c.origin);
    EXPECT_EQ(covered, c.logical);
}

INSTANTIATE_TEST_SUITE_P(
    TwoMonitors, OnMonitor,
    ::testing::Values(
        MonitorCase{"left", QRect(0, 0, 1280, 1024), QSize(1280, 1024), 257, 321, {0, 0}},
        MonitorCase{"right", QRect(1280, 0, 960, 540), QSize(1920, 1080), 136, 241, {1280, 0}}),
    [](const auto& info) { return std::string(info.param.screen); });

} // namespace
} // namespace vx::test
