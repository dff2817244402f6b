// The main window's own actions: the ticker, the colour chooser, the about box followed by
// the effect, the website line and the hand cursor.
#include "app/about_text.h"
#include "app/ticker_lines.h"
#include "message_box_driver.h"
#include "patterns/frm_eff.h"
#include "platform/cursor.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "support/app_fixture.h"
#include "support/scripted_dialogs.h"
#include "text/vni_to_uni.h"
#include <QImage>
#include <QTimer>

namespace vx::test {
namespace {

QImage shot(win::HWND h) {
    return win::qt::widgetFromHandle(h)->grab().toImage();
}

TEST_F(MainWindowTest, TheTickerAlternatesAndRedrawsAtOnce) {
    ASSERT_EQ(main->lbHEHE.Caption(), vietnameseTickerLine());
    const QImage vietnamese = shot(main->lbHEHE.hWnd());
    main->Timer2_Timer();
    EXPECT_EQ(main->lbHEHE.Caption(), englishTickerLine());
    EXPECT_EQ(main->bTickerEnglish, vbTrue);
    const QImage english = shot(main->lbHEHE.hWnd());
    EXPECT_NE(english, vietnamese);
    main->Timer2_Timer();
    EXPECT_EQ(main->lbHEHE.Caption(), vietnameseTickerLine());
    EXPECT_EQ(main->bTickerEnglish, vbFalse);
    EXPECT_EQ(shot(main->lbHEHE.hWnd()), vietnamese);
}

TEST_F(MainWindowTest, CancellingTheChooserKeepsTheCustomColour) {
    ScriptedDialogsScope dialogs;
    main->Picture9.setBackColor(0x00012345);
    main->btPick_Click();
    ASSERT_EQ(dialogs->colorQueries.size(), 1u);
    const win::ColorQuery& q = dialogs->colorQueries[0];
    EXPECT_EQ(q.initial, 0x00012345u);
    EXPECT_TRUE(q.fullOpen);
    EXPECT_FALSE(q.solidOnly);
    EXPECT_FALSE(q.preventFullOpen);
    EXPECT_EQ(q.owner, main->hWnd());
    EXPECT_EQ(main->Picture9.BackColor(), 0x00012345u);
}

TEST_F(MainWindowTest, AConfirmedColourBecomesTheCustomColourForKeyNine) {
    ScriptedDialogsScope dialogs;
    dialogs->onColor = [](const win::ColorQuery& q) {
        win::ColorReply r;
        r.confirmed = true;
        r.color = 0x00336699;
        r.custom = q.custom;
        return r;
    };
    main->btPick_Click();
    EXPECT_EQ(main->Picture9.BackColor(), 0x00336699u);
    main->runKeyRow(9);
    EXPECT_EQ(test().BackColor(), 0x00336699u);
}

TEST_F(MainWindowTest, ASystemColourOnTheSwatchReachesTheChooserAsRgb) {
    ScriptedDialogsScope dialogs;
    main->Picture9.setBackColor(0x8000000F);
    main->btPick_Click();
    ASSERT_EQ(dialogs->colorQueries.size(), 1u);
    EXPECT_EQ(dialogs->colorQueries[0].initial, win::GetSysColor(15));
}

TEST(AboutText, TwelveLinesEachEndedByCrLfThatConvertToVietnamese) {
    String text = aboutText();
    VniToUni(text);
    std::vector<String> lines;
    for (std::size_t start = 0, crlf; (crlf = text.find(u"\r\n", start)) != String::npos;
         start = crlf + 2)
        lines.push_back(text.substr(start, crlf - start));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_TRUE(text.ends_with(u"\r\n"));
    EXPECT_EQ(lines[0], u"Ti\u1EC7n \u00EDch: Velotrix");
    EXPECT_EQ(lines[1], u"Phi\u00EAn b\u1EA3n: 1.0");
    EXPECT_EQ(lines[2], u"Ch\u1EE9c n\u0103ng: test LCD ;))");
    EXPECT_TRUE(lines[3].empty() && lines[4].empty() && lines[9].empty() && lines[10].empty());
    EXPECT_EQ(lines[5], u"T\u00E1c gi\u1EA3: L\u00EA V\u0103n Th\u1EED");
    EXPECT_TRUE(lines[6].starts_with(u"Email: "));
    EXPECT_EQ(lines[7], u"Website: velotrix.example.org");
    EXPECT_TRUE(lines[8].starts_with(u"Fone: "));
    EXPECT_TRUE(lines[11].starts_with(u"2010 "));
    String title = aboutTitle();
    EXPECT_EQ(VniToUni(title), u"Th\u00F4ng tin v\u1EC1 Velotrix!");
}

TEST_F(MainWindowTest, TheAboutBoxIsFollowedByTheEffectUntilAMousePress) {
    std::u16string title, button;
    testing::whenBoxOpens([&](win::HWND box) {
        title = testing::textOf(box);
        const auto buttons = testing::buttonTexts(box);
        button = buttons.empty() ? u"" : buttons[0];
        testing::click(testing::childrenOf(box, "Button").at(0));
    });
    bool effectSeen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!EffectRunning()) return;
        effectSeen = true;
        SharedForm<frmEff>::get().bRunning = vbFalse; // as its mouse-down handler does
    });
    poll.start(20);
    main->lbHEHE_Click();
    EXPECT_EQ(title, u"Th\u00F4ng tin v\u1EC1 Velotrix!");
    EXPECT_EQ(button, u"\u0110\u00F3ng");
    EXPECT_TRUE(effectSeen);
    EXPECT_FALSE(SharedForm<frmEff>::exists()); // the effect let its window go
}

TEST_F(MainWindowTest, TheWebsiteLineOpensTheAddressAndIgnoresAMissingBrowser) {
    std::vector<std::string> opened;
    win::setShellOpener([&](const std::string& f) {
        opened.push_back(f);
        return false; // no browser registered
    });
    EXPECT_NO_THROW(main->tLabel12_Click());
    EXPECT_EQ(opened, std::vector<std::string>{"http://velotrix.example.org/"});
    win::setShellOpener(nullptr);
}

TEST_F(MainWindowTest, TheHandCursorIsSetOverTheSwatches) {
    const win::HCURSOR hand = win::LoadCursorA(0, win::IDC_HAND);
    ASSERT_GT(hand, 0);
    win::SetCursor(win::LoadCursorA(0, win::IDC_ARROW));
    main->sethand();
    EXPECT_EQ(win::SetCursor(win::LoadCursorA(0, win::IDC_ARROW)), hand);
}

} // namespace
} // namespace vx::test
