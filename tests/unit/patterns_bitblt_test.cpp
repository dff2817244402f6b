// Block transfers: within one window (overlapping), clipping, and the screen's context.
#include "host/events.h"
#include "patterns_support.h"
#include "platform/gdi.h"
#include "platform/qt/device_context.h"
#include <gtest/gtest.h>

namespace vx::test {
namespace {

// A window whose pixels all differ: pixel (x, y) holds x + 1000 * y.
class Numbered : public ::testing::Test {
  protected:
    void SetUp() override {
        f.Load();
        QImage& img = image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, 0xFF000000u | (x + 1000 * y));
        before = img.copy();
    }
    QImage& image() {
        f.hDC();
        return *hostqt::stateOf(f).widget->image();
    }
    unsigned at(int x, int y) { return image().pixel(x, y) & 0xFFFFFF; }
    static unsigned label(int x, int y) { return static_cast<unsigned>(x + 1000 * y); }

    PlainForm f{600, 600}; // 40 x 40 pixels
    QImage before;
};

struct ShiftCase {
    const char* name;
    int dx, dy;
};

void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << c.name;
}

class OverlappingCopy : public Numbered, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(OverlappingCopy, MovesTheBlockIntactInEveryDirection) {
    const auto [name, dx, dy] = GetParam();
    ASSERT_EQ(win::BitBlt(f.hDC(), 10 + dx, 10 + dy, 16, 16, f.hDC(), 10, 10, win::SRCCOPY),
              win::TRUE_);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inDest = x >= 10 + dx && x < 26 + dx && y >= 10 + dy && y < 26 + dy;
            const unsigned want = inDest ? label(x - dx, y - dy) : label(x, y);
            ASSERT_EQ(at(x, y), want) << name << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Shifts, OverlappingCopy,
                         ::testing::Values(ShiftCase{"right", 1, 0}, ShiftCase{"left", -1, 0},
                                           ShiftCase{"down", 0, 1}, ShiftCase{"up", 0, -1},
                                           ShiftCase{"downRight", 1, 1},
                                           ShiftCase{"upLeft", -1, -1},
                                           ShiftCase{"downLeft", -1, 1}, ShiftCase{"none", 0, 0},
                                           ShiftCase{"farDown", 0, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Numbered, BlocksReachingOverAnEdgeCopyOnlyTheirInsidePart) {
    // One pixel beyond the bottom right, as the effect's last blocks can.
    EXPECT_EQ(win::BitBlt(f.hDC(), 25, 25, 16, 16, f.hDC(), 24, 24, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(at(39, 39), label(38, 38));
    EXPECT_EQ(at(25, 25), label(24, 24));
    EXPECT_EQ(at(24, 24), label(24, 24));
    // And beyond the top left: the source is clipped too.
    EXPECT_EQ(win::BitBlt(f.hDC(), -1, -1, 8, 8, f.hDC(), 0, 0, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(at(0, 0), label(1, 1));
    EXPECT_EQ(at(6, 6), label(7, 7));
    EXPECT_EQ(at(7, 7), label(7, 7));
    EXPECT_EQ(win::BitBlt(f.hDC(), 0, 0, 8, 8, f.hDC(), -4, -4, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(at(4, 4), label(1, 1)); // from (0, 0), which now holds (1, 1)
    EXPECT_EQ(at(7, 7), label(4, 4));
    EXPECT_EQ(at(3, 3), label(4, 4)); // untouched: its source lies outside the image
}

TEST_F(Numbered, BadHandlesAndOtherOperationsFailWithoutDrawing) {
    EXPECT_EQ(win::BitBlt(f.hDC(), 0, 0, 8, 8, 0x7FFF0000, 0, 0, win::SRCCOPY), win::FALSE_);
    EXPECT_EQ(win::BitBlt(0x7FFF0000, 0, 0, 8, 8, f.hDC(), 0, 0, win::SRCCOPY), win::FALSE_);
    EXPECT_EQ(win::BitBlt(f.hDC(), 1, 1, 8, 8, f.hDC(), 0, 0, 0x00EE0086), win::FALSE_);
    EXPECT_EQ(win::BitBlt(f.hDC(), 1, 1, -8, 8, f.hDC(), 0, 0, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(win::BitBlt(f.hDC(), 1, 1, 8, 8, f.hDC(), 2147483000, 0, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(image(), before);
}

TEST(ScreenContext, IsASnapshotOfTheScreenGivenBackOnce) {
    PlainForm shown(3000, 3000, 0x000000FF);
    shown.Show();
    shown.Move(0, 0, 3000, 3000);
    shown.Cls();
    DoEvents();
    const win::HDC screen = win::GetDC(0);
    ASSERT_NE(screen, 0);
    EXPECT_EQ(win::GetDC(win::HWND(0x12345)), 0);
    PlainForm target(1500, 1500, 0x00000000);
    target.Load();
    EXPECT_EQ(win::BitBlt(target.hDC(), 0, 0, 100, 100, screen, 10, 10, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(oleAt(drawnImage(target), 50, 50), 0x000000FFu); // red, taken from the screen
    shown.setBackColor(0x0000FF00);
    DoEvents();
    EXPECT_EQ(win::BitBlt(target.hDC(), 0, 0, 100, 100, screen, 10, 10, win::SRCCOPY), win::TRUE_);
    EXPECT_EQ(oleAt(drawnImage(target), 50, 50), 0x000000FFu) << "a snapshot, not the live screen";
    EXPECT_EQ(win::ReleaseDC(0, target.hDC()), 0) << "a window's own context stays";
    EXPECT_EQ(win::ReleaseDC(0, screen), 1);
    EXPECT_EQ(win::ReleaseDC(0, screen), 0);
    EXPECT_EQ(win::BitBlt(target.hDC(), 0, 0, 10, 10, screen, 0, 0, win::SRCCOPY), win::FALSE_);
}

} // namespace
} // namespace vx::test
