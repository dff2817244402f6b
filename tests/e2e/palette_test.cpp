// The control window by mouse: swatches, menu labels, names, the ticker, the about box and
// the colour chooser, on the real program under Xvfb.
#include "e2e/x_session.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

// A point of the control window given in twips of its client area.
struct At {
    int x, y;
};

class Palette : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(s.startApp());
        main = s.geometry(s.mainWindow());
    }
    int px(int twipsX) const { return main.x + twipsX / 15; }
    int py(int twipsY) const { return main.y + twipsY / 15; }
    void clickAt(At a) { s.click(px(a.x), py(a.y)); }
    bool screenIs(unsigned rgb) {
        for (auto [x, y] : {std::pair{0, 0}, {1023, 0}, {0, 767}, {1023, 767}, {512, 384}})
            if (s.pixel(x, y) != rgb) return false;
        return true;
    }
    bool testWindowShown() { return s.findWindow("Form1", true).has_value(); }
    void closeTestWindow() {
        s.holdUntil({"Escape"}, [&] { return !testWindowShown(); });
    }
    // A click on the ticker line, then the about box once it is mapped.
    std::optional<Window> openAboutBox() {
        clickAt({90 + 8925 / 2, 4275 + 180});
        std::optional<Window> box;
        XSession::waitFor(
            [&] {
                box = s.findWindow("Th\xC3\xB4ng tin v\xE1\xBB\x81 Velotrix!", true);
                return box.has_value();
            },
            5s);
        return box;
    }

    XSession s{1024, 768};
    Rect main;
};

TEST_F(Palette, EachSwatchShowsItsColour) {
    const unsigned custom = s.pixel(px(7020 + 150), py(2475 + 60));
    const std::pair<At, unsigned> swatches[] = {
        {{990 + 300, 1305 + 60}, 0xFF0000},  {{4005 + 300, 1305 + 60}, 0x00FF00},
        {{7020 + 300, 1305 + 60}, 0x0000FF}, {{990 + 300, 1890 + 60}, 0x00FFFF},
        {{4005 + 300, 1890 + 60}, 0xFF00FF}, {{7020 + 300, 1890 + 60}, 0xFFFF00},
        {{990 + 300, 2475 + 60}, 0x000000},  {{4005 + 300, 2475 + 60}, 0xFFFFFF}};
    for (auto [at, rgb] : swatches) {
        clickAt(at);
        EXPECT_TRUE(XSession::waitFor([&] { return testWindowShown() && screenIs(rgb); }))
            << std::hex << rgb;
        closeTestWindow();
    }
    clickAt({7020 + 150, 2475 + 60});
    EXPECT_TRUE(XSession::waitFor([&] { return testWindowShown() && screenIs(custom); }));
}

TEST_F(Palette, MenuLabelsShowTheirPatterns) {
    clickAt({990 + 200, 3105 + 100}); // Random
    EXPECT_TRUE(
        XSession::waitFor([&] { return testWindowShown() && (s.pixel(5, 5) & 0xFF) <= 1; }));
    closeTestWindow();
    clickAt({4005 + 200, 3105 + 100}); // Vertical Gradient: blue at the top, red at the bottom
    EXPECT_TRUE(XSession::waitFor([&] {
        return testWindowShown() && s.pixel(500, 0) == 0x0000FF && s.pixel(500, 767) == 0xFF0000;
    }));
    closeTestWindow();
    clickAt({7020 + 200, 3105 + 100}); // Horizontal Gradient: blue at the left
    EXPECT_TRUE(XSession::waitFor([&] {
        return testWindowShown() && s.pixel(0, 300) == 0x0000FF && s.pixel(1023, 300) == 0xFF0000;
    }));
    closeTestWindow();
    clickAt({990 + 200, 3690 + 100}); // Vertical Lines: full-width stripes 4 pixels high
    EXPECT_TRUE(XSession::waitFor([&] {
        return testWindowShown() && s.pixel(500, 0) == 0xFFFFFF && s.pixel(500, 4) == 0x000000;
    }));
    closeTestWindow();
    clickAt({4005 + 200, 3690 + 100}); // Horizontal Lines: full-height stripes 4 pixels wide
    EXPECT_TRUE(XSession::waitFor([&] {
        return testWindowShown() && s.pixel(0, 500) == 0xFFFFFF && s.pixel(4, 500) == 0x000000;
    }));
}

TEST_F(Palette, ExitAndTheLegendDoNothing) {
    for (At a : {At{7020 + 200, 3690 + 100}, At{90 + 100, 1350 + 100}, At{6390 + 100, 3690 + 100},
                 At{3105 + 100, 3105 + 100}}) {
        clickAt(a);
        std::this_thread::sleep_for(300ms);
        EXPECT_FALSE(testWindowShown());
    }
    EXPECT_TRUE(s.appRunning());
}

TEST_F(Palette, VerticalLinesThenKeyOneGivesAPlainRedScreen) {
    clickAt({990 + 200, 3690 + 100});
    ASSERT_TRUE(
        XSession::waitFor([&] { return testWindowShown() && s.pixel(500, 4) == 0x000000; }));
    EXPECT_TRUE(s.holdUntil({"1"}, [&] {
        for (int y = 0; y < 16; ++y)
            if (s.pixel(500, y) != 0xFF0000) return false;
        return screenIs(0xFF0000);
    }));
}

TEST_F(Palette, SwatchNamesAreCentred) {
    // Picture1 "Red": the text's extent among the red pixels of the swatch's middle rows.
    const Rect box{px(990) + 2, py(1305) + 2, 1995 / 15 - 4, 375 / 15 - 4};
    const auto pixels = s.grab(box);
    int left = box.width, right = -1, top = box.height, bottom = -1;
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x)
            if (pixels[static_cast<std::size_t>(y) * box.width + x] != 0xFF0000) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left) << "no name drawn";
    EXPECT_NEAR((left + right) / 2.0, (box.width - 1) / 2.0, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, (box.height - 1) / 2.0, 3.0);
}

// The swap back comes while a pattern covers the control window: the line it drew shows as
// soon as the pattern goes, not the one from before.
TEST_F(Palette, TheTickerTurnsEnglishAfterFiveSecondsAndBackAfterTenUnderAPattern) {
    const auto shown = std::chrono::steady_clock::now();
    const Rect ticker{px(90), py(4275), 8925 / 15, 375 / 15};
    // The Vietnamese line once it is fully drawn: two looks a little apart agree.
    std::vector<unsigned> vietnamese;
    ASSERT_TRUE(XSession::waitFor([&] {
        const auto a = s.grab(ticker);
        std::this_thread::sleep_for(100ms);
        vietnamese = s.grab(ticker);
        return a == vietnamese && std::count(a.begin(), a.end(), 0xFFFF00u) > 50;
    }));
    ASSERT_TRUE(XSession::waitFor([&] { return s.grab(ticker) != vietnamese; }, 8s));
    const double at =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    EXPECT_GT(at, 4.0);
    EXPECT_LT(at, 7.0);
    s.holdUntil({"1"}, [&] { return screenIs(0xFF0000); });
    ASSERT_TRUE(screenIs(0xFF0000));
    std::this_thread::sleep_until(shown + 11s);
    closeTestWindow();
    ASSERT_FALSE(testWindowShown());
    // Before the swap after that, at 15 s.
    const auto left = shown + 14s - std::chrono::steady_clock::now();
    EXPECT_TRUE(XSession::waitFor([&] { return s.grab(ticker) == vietnamese; },
                                  std::chrono::duration_cast<std::chrono::milliseconds>(left)));
}

// The about box, closed by its close box or by its one button "Đóng", shows its text and
// is followed by the effect until a click.
class AboutBox : public Palette, public ::testing::WithParamInterface<bool> {};

TEST_P(AboutBox, ShowsItsTextThenTheEffectUntilAClick) {
    const bool byButton = GetParam();
    const std::optional<Window> box = openAboutBox();
    ASSERT_TRUE(box);
    // Text above the row of the one centred button: margins of 16 pixels, a button 26 high
    // and 12 from the bottom, 16 between the two.
    const Rect b = s.geometry(*box);
    const Rect text{b.x + 16, b.y + 16, b.width - 32, b.height - 16 - 16 - 26 - 12};
    ASSERT_GT(text.height, 0);
    EXPECT_TRUE(XSession::waitFor([&] {
        const auto px = s.grab(text);
        const auto light = [](unsigned v) {
            return (v >> 16 & 0xFF) > 0xC0 && (v >> 8 & 0xFF) > 0xC0 && (v & 0xFF) > 0xC0;
        };
        const auto background = std::count_if(px.begin(), px.end(), light);
        const std::set<unsigned> colours(px.begin(), px.end());
        return background > static_cast<long>(px.size()) / 2 && colours.size() > 1 &&
               static_cast<long>(px.size()) - background > 200;
    })) << "no text on a light background";

    if (byButton)
        s.click(b.x + b.width / 2, b.y + b.height - 12 - 13);
    else
        s.closeWindow(*box); // a box with one button closes as if it was pressed
    ASSERT_TRUE(XSession::waitFor([&] { return s.findWindow("frmEff", true).has_value(); }, 5s));
    EXPECT_FALSE(s.findWindow("Th\xC3\xB4ng tin", false)) << "the box is still there";
    const auto frozen = s.grab();
    EXPECT_TRUE(XSession::waitFor([&] { return s.grab() != frozen; })) << "the screen stays still";
    s.click(512, 384);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("frmEff", true).has_value(); }, 5s));
    EXPECT_TRUE(s.appRunning());
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, AboutBox, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Button" : "CloseBox");
});

TEST_F(Palette, TheEffectAfterTheAboutBoxPicturesTheScreenWithoutTheBox) {
    const std::optional<Window> box = openAboutBox();
    ASSERT_TRUE(box);
    // The box's face, once it is painted, inside its lower left corner.
    const Rect r = s.geometry(*box);
    unsigned face = 0;
    ASSERT_TRUE(XSession::waitFor([&] { return (face = s.pixel(r.x + 3, r.y + r.height - 3)); }));
    const auto faceCount = [&] {
        const auto px = s.grab(r);
        return std::count(px.begin(), px.end(), face);
    };
    s.closeWindow(*box);
    ASSERT_TRUE(XSession::waitFor([&] { return s.findWindow("frmEff", true).has_value(); }, 5s));
    // Block copies move pixels about but make no new colours: the box's face stays as rare
    // as on the real screen, which is seen again after the click.
    const auto during = faceCount();
    s.click(512, 384);
    ASSERT_TRUE(XSession::waitFor([&] { return !s.findWindow("frmEff", true).has_value(); }, 5s));
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(during, faceCount() + r.width * r.height / 20) << "face colour " << std::hex << face;
}

TEST_F(Palette, TheColourButtonOpensTheChooserAndCancelChangesNothing) {
    const unsigned before = s.pixel(px(7020 + 150), py(2475 + 60));
    clickAt({8730 + 140, 2655 + 100});
    std::optional<Window> chooser;
    ASSERT_TRUE(XSession::waitFor(
        [&] {
            for (const char* title : {"Select Color", "Select Colour", "Color", "Colour"})
                if ((chooser = s.findWindow(title))) return true;
            return false;
        },
        5s));
    s.closeWindow(*chooser); // the close box: the same as Cancel
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("Select Col"); }, 5s));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(s.pixel(px(7020 + 150), py(2475 + 60)), before);
    EXPECT_FALSE(testWindowShown());
}

} // namespace
} // namespace vx::e2e
