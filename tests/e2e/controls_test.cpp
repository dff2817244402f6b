// The owner-drawn lines and button of the main window, on the real program under Xvfb.
#include "e2e/x_session.h"
#include <gtest/gtest.h>
#include <thread>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

// A control's place in the main window's client area, in pixels.
struct Place {
    const char* name;
    Rect client;
    unsigned colour; // 0xRRGGBB of its text
};

const Place kTicker{"lbHEHE", {6, 285, 595, 25}, 0xFFFF00};
const Place kAuthor{"lbCop", {9, 39, 589, 16}, 0xFFC0C0};
const Place kWebsite{"tLabel12", {9, 54, 589, 19}, 0x00FF00};
const Rect kButton{582, 177, 19, 13};

Rect onScreen(const Rect& window, const Rect& client) {
    return {window.x + client.x, window.y + client.y, client.width, client.height};
}

struct Text {
    int left = -1, right = -1; // columns of the ink on the black background
    int exact = 0;             // pixels exactly in the text colour
};

Text textIn(const std::vector<unsigned>& px, const Rect& r, unsigned colour) {
    Text t;
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const unsigned v = px[static_cast<std::size_t>(y) * r.width + x];
            if (v == 0) continue;
            if (t.left < 0 || x < t.left) t.left = x;
            t.right = std::max(t.right, x);
            t.exact += v == colour;
        }
    return t;
}

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(s.startApp());
        s.moveTo(2, 2);
        window = s.geometry(s.mainWindow());
    }
    XSession s{1024, 768};
    Rect window;
};

TEST_F(Controls, TheLinesShowCentredInTheirColours) {
    for (const Place& p : {kTicker, kAuthor, kWebsite}) {
        const Rect r = onScreen(window, p.client);
        Text t;
        EXPECT_TRUE(XSession::waitFor([&] {
            t = textIn(s.grab(r), r, p.colour);
            return t.exact > 40;
        })) << p.name;
        EXPECT_NEAR((t.left + t.right) / 2.0, r.width / 2.0, 3) << p.name;
        EXPECT_GT(t.left, 20) << p.name; // not left-aligned
    }
}

TEST_F(Controls, TheSmallButtonShowsItsCaptionOverTheCustomSwatch) {
    const Rect b = onScreen(window, kButton);
    std::vector<unsigned> px;
    ASSERT_TRUE(XSession::waitFor([&] {
        px = s.grab(b);
        return !px.empty() && px[static_cast<std::size_t>(b.height / 2) * b.width] != 0;
    }));
    // A light face with dark dots along its middle row.
    int light = 0, dark = 0;
    for (unsigned v : px) light += ((v >> 16) & 0xFF) > 0xC0 && ((v >> 8) & 0xFF) > 0xC0;
    for (int x = 0; x < b.width; ++x)
        for (int y = b.height / 2 - 2; y <= b.height / 2 + 3; ++y)
            dark += (px[static_cast<std::size_t>(y) * b.width + x] & 0xFF) < 0x60;
    EXPECT_GT(light, static_cast<int>(px.size()) / 2);
    EXPECT_GE(dark, 3);
}

TEST_F(Controls, HoverChangesTheButtonAndLeavingRestoresIt) {
    const Rect b = onScreen(window, kButton);
    std::this_thread::sleep_for(500ms); // the start-up repaint of the resting look is done
    const std::vector<unsigned> rest = s.grab(b);
    s.moveTo(b.x + b.width / 2, b.y + b.height / 2);
    EXPECT_TRUE(XSession::waitFor([&] { return s.grab(b) != rest; }, 2000ms));
    s.moveTo(2, 2);
    const auto left = std::chrono::steady_clock::now();
    EXPECT_TRUE(XSession::waitFor([&] { return s.grab(b) == rest; }, 2000ms));
    // A 100 ms timer notices the leave; allow for a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - left, 1000ms);
}

// The pixels of the button that the window over it leaves visible.
std::vector<unsigned> visiblePart(std::vector<unsigned> px, const Rect& b, const Rect& cover) {
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (b.x + x >= cover.x && b.x + x < cover.x + cover.width && b.y + y >= cover.y &&
                b.y + y < cover.y + cover.height)
                px[static_cast<std::size_t>(y) * b.width + x] = 0xFFFFFFFF;
    return px;
}

TEST_F(Controls, AnotherProgramsWindowOverTheHoveredButtonEndsTheHover) {
    const Rect b = onScreen(window, kButton);
    std::this_thread::sleep_for(500ms);
    const std::vector<unsigned> rest = s.grab(b);
    const int cx = b.x + b.width / 2, cy = b.y + b.height / 2;
    s.moveTo(cx, cy);
    std::vector<unsigned> hot;
    ASSERT_TRUE(XSession::waitFor([&] { return (hot = s.grab(b)) != rest; }, 2000ms));
    // A small window of another client under the cursor; the left of the button stays in sight.
    const Window other = s.mapOtherClient({cx - 3, cy - 3, 7, 7});
    ASSERT_NE(other, 0u);
    const Rect cover = s.frameGeometry(other);
    ASSERT_NE(visiblePart(hot, b, cover), visiblePart(rest, b, cover)) << "nothing to see";
    EXPECT_TRUE(XSession::waitFor(
        [&] { return visiblePart(s.grab(b), b, cover) == visiblePart(rest, b, cover); }, 2000ms));
}

} // namespace
} // namespace vx::e2e
