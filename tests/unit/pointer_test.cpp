#include "platform/cursor.h"
#include "platform/mouse_window.h"
#include "platform/qt/window_table.h"
#include "support/app_fixture.h"
#include "unit/control_harness.h"
#include <gtest/gtest.h>

namespace vx::test {
namespace {

using namespace win;

// A registered window with a registered child and a plain one, shown.
class PointerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        top.setGeometry(100, 100, 300, 200);
        child.setGeometry(10, 10, 50, 30);
        plain.setGeometry(100, 10, 50, 30);
        hTop = qt::registerWindow(&top, "ThunderRT6FormDC");
        hChild = qt::registerWindow(&child, "Velotrix.tButton");
        top.show();
        pump(30);
    }
    void TearDown() override { ReleaseCapture(); }
    POINT at(QWidget& w) {
        const QPoint p = w.mapToGlobal(w.rect().center());
        return POINT{p.x(), p.y()};
    }

    QWidget top;
    QWidget child{&top}, plain{&top};
    HWND hTop = 0, hChild = 0;
};

TEST_F(PointerTest, WindowFromPointFindsTheInnermostEnabledRegisteredWindow) {
    EXPECT_EQ(WindowFromPoint(at(child)), hChild);
    EXPECT_EQ(WindowFromPoint(at(plain)), hTop);
    EXPECT_EQ(WindowFromPoint(POINT{5000, 5000}), 0);
    child.setEnabled(false);
    EXPECT_EQ(WindowFromPoint(at(child)), hTop);
}

TEST_F(PointerTest, GetCursorPosGivesTheScreenPosition) {
    cursorOver(hChild);
    POINT p;
    EXPECT_EQ(GetCursorPos(&p), TRUE_);
    EXPECT_EQ(p.x, at(child).x);
    EXPECT_EQ(p.y, at(child).y);
    EXPECT_EQ(GetCursorPos(nullptr), FALSE_);
}

TEST_F(PointerTest, CaptureGoesToAVisibleWindowUntilReleased) {
    EXPECT_EQ(SetCapture(0x7777), 0);
    EXPECT_EQ(GetCapture(), 0);
    EXPECT_EQ(SetCapture(hChild), 0);
    EXPECT_EQ(GetCapture(), hChild);
    EXPECT_EQ(SetCapture(hTop), hChild);
    EXPECT_EQ(ReleaseCapture(), TRUE_);
    EXPECT_EQ(GetCapture(), 0);
    child.hide();
    EXPECT_EQ(SetCapture(hChild), 0);
    EXPECT_EQ(GetCapture(), 0);
}

TEST_F(PointerTest, SystemCursorsLoadFromTheirNumbersOnly) {
    struct Case {
        HINSTANCE module;
        LONG id;
        bool loads;
    };
    for (const Case c : {Case{0, IDC_HAND, true}, Case{0, IDC_ARROW, true}, Case{0, 1, false},
                         Case{0x400000, IDC_HAND, false}})
        EXPECT_EQ(LoadCursorA(c.module, c.id) != 0, c.loads) << c.id;
    EXPECT_EQ(LoadCursorA(0, IDC_HAND), LoadCursorA(0, IDC_HAND));
    EXPECT_NE(LoadCursorA(0, IDC_HAND), LoadCursorA(0, IDC_ARROW));
}

TEST_F(PointerTest, SetCursorShowsTheShapeOverTheWindowUnderThePointer) {
    cursorOver(hChild);
    const HCURSOR hand = LoadCursorA(0, IDC_HAND), arrow = LoadCursorA(0, IDC_ARROW);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(hand), arrow);
    EXPECT_EQ(child.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(plain.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(SetCursor(0x12345), 0); // not a cursor: nothing changes
    EXPECT_EQ(child.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(SetCursor(arrow), hand);
    EXPECT_EQ(child.cursor().shape(), Qt::ArrowCursor);
}

// The test window hides a resting pointer, over its stripes too, and shows it again on the
// first motion; the main window never hides it.
class IdlePointer : public MainWindowTest {};

TEST_F(IdlePointer, HidesOverTheRestingTestWindowAndShowsOnMotion) {
    main->Timer1.setEnabled(vbFalse); // no key loop: its first tick would not return
    frmTest& t = test();
    t.Show();
    main->DrawLine(0);
    const HWND stripe = t.control("pv3")->hWnd();
    const auto shape = [](HWND h) { return widgetOf(h)->cursor().shape(); };
    const auto blank = [&] { return shape(t.hWnd()) == Qt::BlankCursor; };
    cursorOver(stripe);
    ASSERT_TRUE(pumpUntil(blank, 3000));
    EXPECT_EQ(shape(stripe), Qt::BlankCursor);
    EXPECT_EQ(shape(main->hWnd()), Qt::ArrowCursor);
    move(stripe, Qt::NoButton);
    EXPECT_EQ(shape(t.hWnd()), Qt::ArrowCursor);
    EXPECT_EQ(shape(stripe), Qt::ArrowCursor);
    // The motion started the wait again.
    EXPECT_TRUE(pumpUntil(blank, 3000));
}

} // namespace
} // namespace vx::test
