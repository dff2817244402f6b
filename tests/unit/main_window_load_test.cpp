#include "support/app_fixture.h"
#include <QTimer>

namespace vx::test {
namespace {

// What the window looked like when the shell's minimise-all keys went out.
struct AtSdesk {
    bool visible = true;
    bool timer1 = false, timer2 = false;
    bool captionsSet = false;
    bool swatchesColoured = false;
};

TEST(MainWindowLoad, StepsRunInOrderAndTheKeysGoOutWhileHidden) {
    auto& kb = installScriptedKeyboard();
    frmMain& m = SharedForm<frmMain>::get();
    AtSdesk at;
    kb.onSend = [&] {
        if (kb.sent.size() != 1) return;
        at.visible = m.Visible() == vbTrue;
        at.timer1 = m.Timer1.Enabled() == vbTrue;
        at.timer2 = m.Timer2.Enabled() == vbTrue;
        at.captionsSet = !m.Caption().empty() && !m.lbTitle.Caption().empty();
        at.swatchesColoured = m.Picture1.BackColor() == 0x000000FF;
    };
    m.bLinesDrawn = vbTrue;
    m.Load();
    EXPECT_FALSE(at.visible);
    EXPECT_TRUE(at.timer1);
    EXPECT_TRUE(at.timer2);
    EXPECT_TRUE(at.captionsSet);
    EXPECT_TRUE(at.swatchesColoured);
    EXPECT_EQ(m.Visible(), vbTrue);
    EXPECT_EQ(m.bLinesDrawn, vbFalse);
    EXPECT_EQ(m.Caption(), u"Velotrix \u00A9 VELOTRIX.EXAMPLE.ORG");
    EXPECT_EQ(m.Timer1.Interval(), 1000);
    EXPECT_EQ(m.Timer2.Interval(), 5000);
    m.Unload();
    win::setKeyboardSource(nullptr);
}

TEST(MainWindowLoad, SdeskSendsWindowsMAndReleasesBothKeys) {
    auto& kb = installScriptedKeyboard();
    SharedForm<frmMain>::get().Load();
    using S = ScriptedKeyboard::Sent;
    EXPECT_EQ(kb.sent, (std::vector<S>{{0x5B, 0, 0}, {0x4D, 0, 0}, {0x4D, 0, 2}, {0x5B, 0, 2}}));
    SharedForm<frmMain>::get().Unload();
    win::setKeyboardSource(nullptr);
}

TEST_F(MainWindowTest, ClientAreaAndSwatchesFollowTheLayout) {
    EXPECT_FLOAT_EQ(main->ScaleWidth(), 9105);
    EXPECT_FLOAT_EQ(main->ScaleHeight(), 4740);
    struct Place {
        PictureBox& box;
        Single left, top;
        const char16_t* tip;
    };
    const Place places[] = {{main->Picture1, 990, 1305, u"Red"},
                            {main->Picture5, 4005, 1890, u"Magenta"},
                            {main->Picture9, 7020, 2475, u"Custom"}};
    for (const Place& p : places) {
        EXPECT_EQ(p.box.Left(), p.left);
        EXPECT_EQ(p.box.Top(), p.top);
        EXPECT_EQ(p.box.Width(), 1995);
        EXPECT_EQ(p.box.Height(), 375);
        EXPECT_EQ(p.box.ToolTipText(), p.tip);
    }
    EXPECT_LE(main->Picture9.BackColor(), 0x000186A0u);
}

TEST_F(MainWindowTest, UnloadClosesTheTestWindowAndStopsTheKeyLoop) {
    main->stColor(4);
    main->bKeyLoop = vbTrue;
    main->Unload();
    EXPECT_EQ(main->bKeyLoop, vbFalse);
    EXPECT_EQ(main->Timer1.Enabled(), vbFalse);
    EXPECT_FALSE(testLoaded());
    EXPECT_FALSE(main->IsLoaded());
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

TEST_F(MainWindowTest, ASecondCloseDuringTheClosingAnimationDoesNothing) {
    const std::size_t keysAfterLoad = kb->sent.size();
    int secondCloses = 0;
    QTimer::singleShot(0, [&] {
        ++secondCloses;
        main->Unload(); // served inside the animation's event service
    });
    main->Unload();
    EXPECT_EQ(secondCloses, 1);
    EXPECT_FALSE(main->IsLoaded());
    EXPECT_EQ(kb->sent.size(), keysAfterLoad); // no second start-up
    EXPECT_EQ(Form::loadedCount(), 0);
}

} // namespace
} // namespace vx::test
