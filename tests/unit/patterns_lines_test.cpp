// Stripe patterns: one picture box per 60-twip stripe, white first, and what clears them.
#include "host/errors.h"
#include "host/events.h"
#include "host/picture_box.h"
#include "patterns_support.h"
#include "platform/windows.h"
#include "support/app_fixture.h"
#include <QPointer>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

class Stripes : public MainWindowTest {
  protected:
    // The test window, shown and then sized explicitly: the offscreen screen may differ.
    frmTest& sizedTest(Single width, Single height) {
        frmTest& t = test();
        t.Show();
        t.setWindowState(vbNormal);
        t.Move(0, 0, width, height);
        return t;
    }
    int stripesNamed(const std::string& prefix) {
        int n = 0;
        while (test().control(prefix + std::to_string(n))) ++n;
        return n;
    }
};

struct StripeCase {
    const char* name;
    Integer mode;
    const char* prefix;
    int count;
};

void PrintTo(const StripeCase& c, std::ostream* os) {
    *os << c.name;
}

class StripeTable : public Stripes, public ::testing::WithParamInterface<StripeCase> {};

TEST_P(StripeTable, CoverTheWindowWithAlternatingBoxesFromWhite) {
    const StripeCase& c = GetParam();
    frmTest& t = sizedTest(15360, 11520);
    main->DrawLine(c.mode);
    ASSERT_EQ(stripesNamed(c.prefix), c.count);
    EXPECT_EQ(t.control(std::string(c.prefix) + std::to_string(c.count)), nullptr);
    for (int n = 0; n < c.count; ++n) {
        auto* box = dynamic_cast<PictureBox*>(t.control(c.prefix + std::to_string(n)));
        ASSERT_NE(box, nullptr);
        const Single p = 60.0f * n;
        const bool vertical = c.mode == 0;
        EXPECT_EQ(box->Left(), vertical ? 0 : p) << n;
        EXPECT_EQ(box->Top(), vertical ? p : 0) << n;
        EXPECT_EQ(box->Width(), vertical ? 15360 : 60) << n;
        EXPECT_EQ(box->Height(), vertical ? 60 : 11520) << n;
        EXPECT_EQ(box->BorderStyle(), 0) << n;
        EXPECT_EQ(box->Visible(), vbTrue) << n;
        EXPECT_EQ(box->BackColor(), n % 2 == 0 ? 0x00FFFFFFu : 0x00000000u) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, StripeTable,
                         ::testing::Values(StripeCase{"stacked", 0, "pv", 193},
                                           StripeCase{"sideBySide", 1, "ph", 257}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Stripes, TheLastStripeStartsOnTheFarEdge) {
    frmTest& t = sizedTest(15360, 11520);
    main->DrawLine(0);
    ASSERT_NE(t.control("pv192"), nullptr);
    EXPECT_EQ(t.control("pv192")->Top(), 11520.0f);
}

TEST_F(Stripes, ShownStripesAreFourPixelsWideAndPureBlackOrWhite) {
    for (Integer mode : {Integer(0), Integer(1)}) {
        SharedForm<frmTest>::unload();
        frmTest& t = sizedTest(9000, 6000);
        main->DrawLine(mode);
        const QImage shot = widgetOf(t.hWnd())->grab().toImage();
        ASSERT_EQ(shot.width(), 600);
        const int side = mode == 0 ? shot.height() : shot.width();
        for (int i = 0; i < side; ++i) {
            const QRgb want = (i / 4) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            const QRgb got = mode == 0 ? shot.pixel(shot.width() / 2, i) : shot.pixel(i, 7);
            ASSERT_EQ(got & 0xFFFFFF, want & 0xFFFFFF) << "mode " << mode << " at " << i;
        }
    }
}

TEST_F(Stripes, KeyLinesTwiceLeaveOneSetOfStripes) {
    kb->press(0x56);
    kb->press(0x4C);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(frmMain::matchKeyRow(), 14);
        main->runKeyRow(14);
    }
    const int expected = static_cast<int>(test().Height()) / 60 + 1;
    EXPECT_EQ(stripesNamed("pv"), expected);
    EXPECT_EQ(test().controlCount(), static_cast<std::size_t>(expected) + 1); // and Timer1
    EXPECT_EQ(main->bLinesDrawn, vbTrue);
}

// Counts the paints of a window.
struct PaintCount : QObject {
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// A held line key unloads and loads the test window in every cycle. The window stays on the
// screen under a new handle, the old one dead, and paints once the cycle's stripes are all
// there, never before.
TEST_F(Stripes, AHeldLineKeyKeepsTheWindowAndPaintsOnlyWholeGrids) {
    kb->press(0x56);
    kb->press(0x4C);
    main->runKeyRow(14);
    DoEvents();
    const win::HWND first = test().hWnd();
    QWidget* window = widgetOf(first);
    PaintCount count(window);
    main->runKeyRow(14);
    EXPECT_EQ(count.paints, 0);
    EXPECT_EQ(win::IsWindow(first), win::FALSE_);
    EXPECT_NE(test().hWnd(), first);
    EXPECT_EQ(widgetOf(test().hWnd()), window);
    EXPECT_TRUE(window->isVisible());
    DoEvents();
    EXPECT_GE(count.paints, 1);
    const QImage shot = window->grab().toImage();
    for (int y = 0; y < shot.height(); ++y)
        ASSERT_EQ(shot.pixel(shot.width() / 2, y) & 0xFFFFFF, (y / 4) % 2 == 0 ? 0xFFFFFFu : 0u)
            << y;
}

// Escape takes the window off the screen once events are served; the next pattern shows the
// same window again, under a new handle.
TEST_F(Stripes, EscapeTakesTheWindowAwayWhenEventsAreServed) {
    main->bLinesDrawn = vbTrue;
    main->vl();
    DoEvents();
    const win::HWND first = test().hWnd();
    const QPointer<QWidget> window = widgetOf(first);
    main->runKeyRow(11);
    DoEvents();
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(win::IsWindow(first), win::FALSE_);
    main->stColor(1);
    DoEvents();
    EXPECT_EQ(widgetOf(test().hWnd()), window);
    EXPECT_NE(test().hWnd(), first);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Stripes, DrawingOverStripesWithoutUnloadingFailsWithANumberedError) {
    sizedTest(3000, 3000);
    main->DrawLine(1);
    const std::size_t before = test().controlCount();
    try {
        main->DrawLine(1);
        FAIL() << "a second set of stripes was added";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), errControlExists);
    }
    EXPECT_EQ(test().controlCount(), before);
}

TEST_F(Stripes, ModeTwoOnlyClears) {
    frmTest& t = sizedTest(3000, 3000);
    main->DrawLine(0);
    const std::size_t controls = t.controlCount();
    t.LineBF(0, 0, 1500, 1500, 0x000000FF);
    ASSERT_EQ(oleAt(drawnImage(t), 10, 10), 0x000000FFu);
    main->DrawLine(2);
    EXPECT_EQ(t.controlCount(), controls);
    EXPECT_EQ(oleAt(drawnImage(t), 10, 10), t.BackColor());
}

TEST_F(Stripes, AClickOnAStripeLeavesTheWindowWhenNoEffectRuns) {
    sizedTest(3000, 3000);
    main->DrawLine(0);
    postPress(widgetOf(test().control("pv3")->hWnd()), true);
    DoEvents();
    EXPECT_TRUE(test().IsLoaded());
}

} // namespace
} // namespace vx::test
