// Colour splitting and the 256-band gradients, read back from the drawn pixels.
#include "host/errors.h"
#include "patterns/test_patterns.h"
#include "patterns_support.h"
#include "support/app_fixture.h"
#include <gtest/gtest.h>
#include <map>

namespace vx::test {
namespace {

struct SplitCase {
    const char* name;
    Long colour;
    Integer red, green, blue; // expected, kSame where the caller's value must stay
};
constexpr Integer kSame = -7; // what the caller passes in

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class RgbSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(RgbSplit, GivesTheBytesAndLeavesUnreachedComponents) {
    const SplitCase& c = GetParam();
    Integer r = kSame, g = kSame, b = kSame;
    TestPatterns::GetRGBComponents(c.colour, r, g, b);
    EXPECT_EQ(r, c.red);
    EXPECT_EQ(g, c.green);
    EXPECT_EQ(b, c.blue);
}

INSTANTIATE_TEST_SUITE_P(Colours, RgbSplit,
                         ::testing::Values(SplitCase{"abcdef", 0x00ABCDEF, 0xEF, 0xCD, 0xAB},
                                           SplitCase{"threeDigits", 0x00000ABC, 0xBC, 0x0A, kSame},
                                           SplitCase{"zero", 0, 0, kSame, kSame},
                                           SplitCase{"topByteSet", static_cast<Long>(0x8000000F),
                                                     0x0F, 0, 0},
                                           SplitCase{"allOnes", -1, 0xFF, 0xFF, 0xFF},
                                           SplitCase{"oneDigit", 0x9, 0x9, kSame, kSame},
                                           SplitCase{"fiveDigits", 0x000F0001, 0x01, 0x00, 0x0F}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RgbSplitCallers, ZeroedOutputsGiveTheByteSplitForEveryTopByte) {
    for (Long c : {0x00000ABC, 0x12345678, static_cast<Long>(0xFF00FF00), 0x00010000}) {
        Integer r = 0, g = 0, b = 0;
        TestPatterns::GetRGBComponents(c, r, g, b);
        EXPECT_EQ(r, c & 0xFF);
        EXPECT_EQ(g, (c >> 8) & 0xFF);
        EXPECT_EQ(b, (c >> 16) & 0xFF);
    }
}

// The runs of equal colour along one axis of the image: (colour, length) in order.
std::vector<std::pair<OleColor, int>> runs(const QImage& img, bool vertical) {
    std::vector<std::pair<OleColor, int>> out;
    const int n = vertical ? img.height() : img.width();
    for (int i = 0; i < n; ++i) {
        const OleColor c = vertical ? oleAt(img, 0, i) : oleAt(img, i, 0);
        if (out.empty() || out.back().first != c) out.emplace_back(c, 0);
        ++out.back().second;
    }
    return out;
}

// Every line across the bands has one colour.
bool bandsAreStraight(const QImage& img, bool vertical) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != (vertical ? img.pixel(0, y) : img.pixel(x, 0))) return false;
    return true;
}

OleColor rgb(int r, int g, int b) {
    return static_cast<OleColor>(r | g << 8 | b << 16);
}

struct BandCase {
    const char* name;
    Long start, end;
    std::map<int, OleColor> bands; // band number -> colour
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class GradientBands : public ::testing::TestWithParam<std::tuple<BandCase, Integer>> {};

TEST_P(GradientBands, DrawsTheBandColoursInBandsOfAlmostEqualSize) {
    const auto& [c, orientation] = GetParam();
    // 1000 x 700 pixels: neither side is a multiple of 256.
    PlainForm f(15000, 10500, 0x00777777);
    f.Load();
    f.Cls();
    TestPatterns::GradientForm_0(f, c.start, c.end, orientation);
    const QImage& img = drawnImage(f);
    const bool vertical = orientation == 1;
    ASSERT_TRUE(bandsAreStraight(img, vertical));

    // Equal neighbouring bands merge into one run, so read each band at its middle.
    const int side = vertical ? img.height() : img.width();
    for (const auto& [band, colour] : c.bands) {
        const int at = static_cast<int>((band + 0.5) * side / 256);
        EXPECT_EQ(vertical ? oleAt(img, 0, at) : oleAt(img, at, 0), colour) << "band " << band;
    }
    EXPECT_EQ(f.ScaleMode(), vbTwips);
}

const BandCase kBandCases[] = {
    {"equalColours",
     0x00336699,
     0x00336699,
     {{0, 0x00336699}, {77, 0x00336699}, {255, 0x00336699}}},
    {"blackToGrey",
     0,
     0x00808080,
     {{0, 0},
      {1, rgb(1, 1, 1)},
      {2, rgb(1, 1, 1)},
      {128, rgb(64, 64, 64)},
      {255, rgb(128, 128, 128)}}},
    {"blueToRed",
     0x00FF0000,
     0x000000FF,
     {{0, rgb(0, 0, 255)}, {1, rgb(1, 0, 254)}, {100, rgb(100, 0, 155)}, {255, rgb(255, 0, 0)}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, GradientBands,
                         ::testing::Combine(::testing::ValuesIn(kBandCases),
                                            ::testing::Values(Integer(1), Integer(2))),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == 1 ? "Stacked" : "SideBySide");
                         });

TEST(GradientBandSizes, BlueToRedGives256BandsDifferingByAtMostOnePixel) {
    PlainForm f(15000, 10500);
    for (Integer orientation : {Integer(1), Integer(2)}) {
        f.Cls();
        TestPatterns::GradientForm_0(f, 0x00FF0000, 0x000000FF, orientation);
        const auto r = runs(drawnImage(f), orientation == 1);
        ASSERT_EQ(r.size(), 256u) << orientation;
        int shortest = 1 << 30, longest = 0;
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(r[i].first, rgb(i, 0, 255 - i)) << "band " << i;
            shortest = std::min(shortest, r[i].second);
            longest = std::max(longest, r[i].second);
        }
        EXPECT_LE(longest - shortest, 1) << orientation;
    }
}

TEST(GradientOrientation, OtherValuesDrawNothingAndResetTheScaleToTwips) {
    PlainForm f(15000, 10500, 0x00123456);
    for (Integer orientation : {Integer(0), Integer(3), Integer(-1)}) {
        f.Cls();
        f.Scale(0, 0, 10, 10);
        TestPatterns::GradientForm_0(f, 0x00FF0000, 0x000000FF, orientation);
        EXPECT_EQ(f.ScaleMode(), vbTwips) << orientation;
        EXPECT_EQ(f.ScaleWidth(), 15000.0f);
        const QImage& img = drawnImage(f);
        int other = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) other += oleAt(img, x, y) != 0x00123456u;
        EXPECT_EQ(other, 0) << orientation;
    }
}

TEST_F(MainWindowTest, VerticalGradientAfterKeyLinesReloadsTheWindow) {
    kb->press(0x56);
    kb->press(0x4C);
    main->runKeyRow(frmMain::matchKeyRow());
    ASSERT_NE(test().control("pv0"), nullptr);
    kb->clear();
    kb->press(0x56);
    kb->press(0x47);
    main->runKeyRow(frmMain::matchKeyRow());
    EXPECT_EQ(test().control("pv0"), nullptr);
    EXPECT_EQ(test().controlCount(), 1u); // Timer1 only
    const QImage& img = drawnImage(test());
    EXPECT_EQ(oleAt(img, 5, 0), 0x00FF0000u);
    EXPECT_EQ(oleAt(img, 5, img.height() - 1), 0x000000FFu);
    EXPECT_EQ(main->bLinesDrawn, vbTrue); // gradients leave the flag as it was
}

TEST_F(MainWindowTest, HorizontalGradientShowsBlueAtTheLeftOfTheTestWindow) {
    main->hg();
    ASSERT_TRUE(test().Visible());
    const QImage& img = drawnImage(test());
    const auto r = runs(img, false);
    ASSERT_EQ(r.size(), 256u);
    EXPECT_EQ(r.front().first, 0x00FF0000u);
    EXPECT_EQ(r.back().first, 0x000000FFu);
    EXPECT_TRUE(bandsAreStraight(img, false));
}

} // namespace
} // namespace vx::test
