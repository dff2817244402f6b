#include "host/random.h"
#include "support/app_fixture.h"

namespace vx::test {
namespace {

struct ColourCase {
    Integer mode;
    OleColor colour;
};

class StColorTable : public MainWindowTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(StColorTable, ShowsTheTestWindowInTheModesColour) {
    main->stColor(GetParam().mode);
    ASSERT_TRUE(testLoaded());
    EXPECT_TRUE(test().Visible());
    EXPECT_EQ(test().BackColor(), GetParam().colour);
    EXPECT_EQ(main->bLinesDrawn, vbFalse);
}

INSTANTIATE_TEST_SUITE_P(Modes, StColorTable,
                         ::testing::Values(ColourCase{1, 0x000000FF}, ColourCase{2, 0x0000FF00},
                                           ColourCase{3, 0x00FF0000}, ColourCase{4, 0x00FFFF00},
                                           ColourCase{5, 0x00FF00FF}, ColourCase{6, 0x0000FFFF},
                                           ColourCase{7, 0x00000000}, ColourCase{8, 0x00FFFFFF}),
                         [](const auto& info) { return "mode" + std::to_string(info.param.mode); });

TEST_F(MainWindowTest, ModesOutsideTheTableShowAndClearButKeepTheColour) {
    for (Integer mode : {Integer(10), Integer(-1), Integer(32767)}) {
        SharedForm<frmTest>::unload();
        main->stColor(mode);
        ASSERT_TRUE(testLoaded());
        EXPECT_EQ(test().BackColor(), 0x00000000u) << mode; // black after a fresh load
        main->stColor(5);
        main->stColor(mode);
        EXPECT_EQ(test().BackColor(), 0x00FF00FFu) << mode;
    }
}

TEST_F(MainWindowTest, RandomModeStaysWithinTheDrawRangeAndFollowsTheGenerator) {
    Randomize(1234.0);
    std::vector<OleColor> seen;
    for (int i = 0; i < 200; ++i) {
        main->stColor(0);
        seen.push_back(test().BackColor());
        EXPECT_LE(test().BackColor(), 0x000186A0u);
    }
    Randomize(1234.0); // the same seed gives the same draws
    for (int i = 0; i < 5; ++i) EXPECT_EQ(TestPatterns::randomColour(), static_cast<Long>(seen[i]));
    EXPECT_NE(seen[0], seen[1]);
}

TEST_F(MainWindowTest, CustomModeCopiesTheSwatchUnchangedEvenWithTheTopByteSet) {
    for (OleColor c : {0x8000000Fu, 0x00123456u, 0xFF000001u}) {
        main->Picture9.setBackColor(c);
        main->stColor(9);
        EXPECT_EQ(test().BackColor(), c);
    }
}

TEST_F(MainWindowTest, AFalseFlagKeepsTheLoadedWindowAndItsControls) {
    main->stColor(1);
    test().addControl("VB.PictureBox", "marker");
    main->stColor(2);
    EXPECT_NE(test().control("marker"), nullptr);
}

TEST_F(MainWindowTest, ATrueFlagReloadsTheWindowAndEndsFalse) {
    main->bLinesDrawn = vbTrue;
    main->vl();
    ASSERT_NE(test().control("pv0"), nullptr);
    main->stColor(1);
    EXPECT_EQ(test().control("pv0"), nullptr);
    EXPECT_EQ(test().BackColor(), 0x000000FFu);
    EXPECT_EQ(main->bLinesDrawn, vbFalse);
}

TEST_F(MainWindowTest, GradientsLeaveATrueFlagTrue) {
    main->bLinesDrawn = vbTrue;
    main->vg();
    EXPECT_EQ(main->bLinesDrawn, vbTrue);
    main->hg();
    EXPECT_EQ(main->bLinesDrawn, vbTrue);
}

} // namespace
} // namespace vx::test
