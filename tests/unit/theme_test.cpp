#include "platform/frame_control.h"
#include "platform/qt/window_table.h"
#include "platform/theme.h"
#include "unit/scratch_dc.h"
#include <QApplication>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <memory>

namespace vx::test {
namespace {

using namespace win;

class ThemeTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
    }
};

TEST_F(ThemeTest, OnlyTheButtonClassIsThemedAndOnlyWhileControlsMayBe) {
    struct Case {
        const char16_t* classes;
        bool themed;
    };
    const Case cases[] = {{u"Button", true}, {u"Edit;Button", true}, {u" button ", true},
                          {u"Edit", false},  {u"", false},           {nullptr, false}};
    for (DWORD props : {STAP_ALLOW_CONTROLS, STAP_ALLOW_NONCLIENT}) {
        SetThemeAppProperties(props);
        for (const Case& c : cases) {
            const HTHEME h = OpenThemeData(0, c.classes);
            EXPECT_EQ(h != 0, c.themed && props == STAP_ALLOW_CONTROLS);
            EXPECT_EQ(CloseThemeData(h), S_OK);
        }
    }
}

TEST_F(ThemeTest, TheClassicStyleAndGoneWindowsHaveNoTheme) {
    auto gone = std::make_unique<QWidget>();
    const HWND h = qt::registerWindow(gone.get(), "Velotrix.tButton");
    const HTHEME live = OpenThemeData(h, u"Button");
    EXPECT_NE(live, 0);
    CloseThemeData(live);
    gone.reset();
    EXPECT_EQ(OpenThemeData(h, u"Button"), 0);

    EXPECT_EQ(IsThemeActive(), TRUE_);
    QApplication::setStyle(QStyleFactory::create("Windows"));
    EXPECT_EQ(IsThemeActive(), FALSE_);
    EXPECT_EQ(OpenThemeData(0, u"Button"), 0);
}

TEST_F(ThemeTest, EachPushButtonStateLooksDifferentAndBadCallsFail) {
    const HTHEME t = OpenThemeData(0, u"Button");
    ASSERT_NE(t, 0);
    const RECT r{0, 0, 40, 24};
    std::vector<QImage> looks;
    for (int state = PBS_NORMAL; state <= PBS_DEFAULTED; ++state) {
        ScratchDC s(40, 24);
        EXPECT_EQ(DrawThemeBackground(t, s.dc, BP_PUSHBUTTON, state, &r, &r), S_OK);
        looks.push_back(s.picture());
    }
    for (std::size_t i = 0; i < looks.size(); ++i)
        for (std::size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_NE(looks[i], looks[j]) << i + 1 << " and " << j + 1;

    ScratchDC s(40, 24);
    const RECT leftHalf{0, 0, 20, 24};
    EXPECT_EQ(DrawThemeBackground(t, s.dc, BP_PUSHBUTTON, PBS_NORMAL, &r, &leftHalf), S_OK);
    EXPECT_FALSE(inkOf(s.picture(), 0xFFFFFFFF, QRect(20, 0, 20, 24)).any());
    EXPECT_TRUE(inkOf(s.picture(), 0xFFFFFFFF, QRect(0, 0, 20, 24)).any());

    EXPECT_EQ(DrawThemeBackground(t, s.dc, 2, PBS_NORMAL, &r, &r), E_INVALIDARG);
    EXPECT_EQ(DrawThemeBackground(t, s.dc, BP_PUSHBUTTON, 6, &r, &r), E_INVALIDARG);
    EXPECT_EQ(DrawThemeBackground(t, s.dc, BP_PUSHBUTTON, 1, nullptr, &r), E_INVALIDARG);
    EXPECT_EQ(DrawThemeBackground(t, 0x7777, BP_PUSHBUTTON, 1, &r, &r), E_HANDLE);
    EXPECT_EQ(CloseThemeData(t), S_OK);
    EXPECT_EQ(CloseThemeData(t), E_HANDLE);
    EXPECT_EQ(DrawThemeBackground(t, s.dc, BP_PUSHBUTTON, 1, &r, &r), E_HANDLE);
}

TEST(DrawFrameControl, RaisedAndPushedPushButtonFrames) {
    struct Case {
        UINT state;
        QRgb topLeft, inner, bottomRight;
    };
    const QRgb white = qRgb(255, 255, 255), dark = qRgb(0x40, 0x40, 0x40),
               shadow = qRgb(0x80, 0x80, 0x80), face = qRgb(0xD4, 0xD0, 0xC8);
    for (const Case c : {Case{DFCS_BUTTONPUSH, white, face, dark},
                         Case{DFCS_BUTTONPUSH | DFCS_PUSHED, dark, shadow, white}}) {
        ScratchDC s(30, 20);
        RECT r{0, 0, 30, 20};
        EXPECT_EQ(DrawFrameControl(s.dc, &r, DFC_BUTTON, c.state), TRUE_);
        EXPECT_EQ(s.picture().pixel(0, 0), c.topLeft) << c.state;
        EXPECT_EQ(s.picture().pixel(1, 1), c.inner) << c.state;
        EXPECT_EQ(s.picture().pixel(29, 19), c.bottomRight) << c.state;
        EXPECT_EQ(s.picture().pixel(15, 10), face) << c.state;
    }
    ScratchDC s(30, 20);
    RECT r{0, 0, 30, 20};
    EXPECT_EQ(DrawFrameControl(s.dc, &r, 1 /* caption */, DFCS_BUTTONPUSH), FALSE_);
    EXPECT_EQ(DrawFrameControl(0x7777, &r, DFC_BUTTON, DFCS_BUTTONPUSH), FALSE_);
    EXPECT_FALSE(inkOf(s.picture(), 0xFFFFFFFF).any());
}

} // namespace
} // namespace vx::test
