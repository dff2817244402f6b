// The closing animation: the sizes it applies, step by step, and its end on a real form.
#include "host/errors.h"
#include "host/events.h"
#include "patterns/zoom_form.h"
#include "patterns/zoom_steps.h"
#include "patterns_support.h"
#include <QEvent>
#include <gtest/gtest.h>
#include <numeric>

namespace vx::test {
namespace {

struct MoveCall {
    Single left, top, width, height;
    bool operator==(const MoveCall&) const = default;
};

// A window that applies every size it is given, recording the calls.
struct RecordingWindow {
    Integer state = 0;
    Single w = 0, h = 0;
    std::vector<MoveCall> moves;
    std::vector<std::string> calls;

    Integer WindowState() const { return state; }
    void setWindowState(Integer s) {
        state = s;
        calls.push_back("state" + std::to_string(s));
    }
    Single Width() const { return w; }
    Single Height() const { return h; }
    void setWidth(Single v) {
        w = v;
        calls.push_back("width");
    }
    void setHeight(Single v) {
        h = v;
        calls.push_back("height");
    }
    void Move(Single l, Single t, Single nw, Single nh) {
        moves.push_back({l, t, nw, nh});
        w = nw;
        h = nh;
        calls.push_back("move");
    }
    void Hide() { calls.push_back("hide"); }
};

struct CountingDesk {
    Single left = 0, top = 0;
    Single Left() const { return left; }
    Single Top() const { return top; }
    Single Width() const { return 15360; }
    Single Height() const { return 11520; }
    void DoEvents() { ++events; }
    void ShowStep() { shown.push_back(events); }
    int events = 0;
    std::vector<int> shown; // events served before each step was shown
};

std::vector<Single> sizes(Single from, int steps) {
    std::vector<Single> v;
    for (int i = 0; i < steps; ++i) v.push_back(std::max<Single>(0, from - 255.0f * i));
    return v;
}

struct ZoomCase {
    const char* name;
    Integer state;
    Single width, height;
    Boolean bounce;
    std::vector<Single> widths, heights; // of the shrinking steps
    Single deskLeft = 0, deskTop = 0;    // the monitor's corner on the desktop
};

void PrintTo(const ZoomCase& c, std::ostream* os) {
    *os << c.name;
}

class ZoomSteps : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomSteps, GrowOnceThenShrinkAroundTheCentreAndHide) {
    const ZoomCase& c = GetParam();
    RecordingWindow win;
    win.state = c.state;
    win.w = c.width;
    win.h = c.height;
    CountingDesk desk;
    desk.left = c.deskLeft;
    desk.top = c.deskTop;
    zoomClose(win, c.bounce, desk);

    const Single startW = c.state == 2 ? 15360 : c.width, startH = c.state == 2 ? 11520 : c.height;
    std::vector<MoveCall> expected;
    Single prevW = startW, prevH = startH;
    const auto step = [&](Single w, Single h) {
        expected.push_back(
            {c.deskLeft + (15360 - prevW) / 2, c.deskTop + (11520 - prevH) / 2, w, h});
        prevW = w, prevH = h;
    };
    if (c.bounce == vbTrue) step(startW + 510, startH + 510);
    ASSERT_EQ(c.widths.size(), c.heights.size());
    for (std::size_t i = 0; i < c.widths.size(); ++i) step(c.widths[i], c.heights[i]);
    EXPECT_EQ(win.moves, expected);
    EXPECT_EQ(win.calls.back(), "hide");
    EXPECT_EQ(desk.events, static_cast<int>(expected.size()) + 1);
    // Every step is shown once its events are served; the hiding is not a step.
    std::vector<int> afterEach(expected.size());
    std::iota(afterEach.begin(), afterEach.end(), 1);
    EXPECT_EQ(desk.shown, afterEach);
    EXPECT_EQ(win.calls.front(), c.state == 2 ? "state0" : "move");
}

std::vector<Single> join(std::vector<Single> a, const std::vector<Single>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ZoomSteps,
    ::testing::Values(
        ZoomCase{"w3000h2000", 0, 3000, 2000, vbTrue, sizes(3000, 12),
                 join(sizes(2000, 8), {0, 0, 0, 0})},
        ZoomCase{"exactMultiple", 0, 2550, 1020, vbTrue, sizes(2550, 11),
                 join(sizes(1020, 5), {0, 0, 0, 0, 0, 0})},
        ZoomCase{"noBounce", 0, 600, 300, vbFalse, sizes(600, 3), {300, 45, 0}},
        ZoomCase{"maximised", 2, 999, 999, vbTrue, sizes(15360, 61),
                 join(sizes(11520, 46), std::vector<Single>(15, 0))},
        ZoomCase{"taller", 0, 300, 700, vbTrue, join(sizes(300, 2), {0}), sizes(700, 3)},
        ZoomCase{"secondMonitor", 0, 600, 300, vbTrue, sizes(600, 3), {300, 45, 0}, 19200, 4500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoomStepsDetail, AMaximisedWindowIsMadeNormalAndScreenSizedFirst) {
    RecordingWindow win;
    win.state = 2;
    CountingDesk desk;
    zoomClose(win, vbTrue, desk);
    ASSERT_GE(win.calls.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(win.calls.begin(), win.calls.begin() + 4),
              (std::vector<std::string>{"state0", "width", "height", "move"}));
    EXPECT_EQ(win.moves.front(), (MoveCall{0, 0, 15870, 12030}));
}

TEST(ZoomFormModes, OnlyTheClosingModeExists) {
    PlainForm f(3000, 3000);
    f.Show();
    for (Long mode : {0, 1, 3}) {
        try {
            ZoomForm(f, mode, vbTrue, vbTrue);
            ADD_FAILURE() << "mode " << mode;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), errInvalidCall);
        }
    }
    EXPECT_EQ(f.Visible(), vbTrue);
}

// Records the sizes a real window is given.
class SizeLog : public QObject {
  public:
    std::vector<QSize> sizes;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Resize) sizes.push_back(static_cast<QWidget*>(o)->size());
        return false;
    }
};

TEST(ZoomFormOnAForm, ShrinksTheRealWindowStepByStepAndHidesIt) {
    PlainForm f(3000, 1995); // 200 x 133 pixels
    f.Show();
    DoEvents();
    QWidget* w = widgetOf(f.hWnd());
    SizeLog log;
    w->installEventFilter(&log);
    ZoomForm(f, 2, vbTrue, vbTrue);
    w->removeEventFilter(&log);
    EXPECT_EQ(f.Visible(), vbFalse);
    ASSERT_EQ(log.sizes.size(), 13u);
    EXPECT_EQ(log.sizes[0], QSize(234, 167));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(log.sizes[i + 1], QSize(200 - 17 * i, 133 - 17 * i)) << i;
    // Once the height has run out the window keeps one pixel of it, so the width's last
    // steps still show instead of the window being unmapped.
    for (int i = 8; i < 12; ++i) EXPECT_EQ(log.sizes[i + 1], QSize(200 - 17 * i, 1)) << i;
}

} // namespace
} // namespace vx::test
