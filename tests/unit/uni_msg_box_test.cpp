#include "host/app_info.h"
#include "host/errors.h"
#include "platform/fonts.h"
#include "platform/hooks.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/qt/cbt_hooks.h"
#include "platform/qt/font_table.h"
#include "platform/qt/message_box_texts.h"
#include "platform/system.h"
#include "text/uni_msg_box.h"
#include "unit/message_box_driver.h"
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vx {
namespace {

using testing::buttonTexts;
using testing::childrenOf;
using testing::clickButton;
using testing::textOf;
using testing::whenBoxOpens;

const String kClose = u"\u0110\u00F3ng";
const String kYes = u"C\u00F3";
const String kNo = u"Kh\u00F4ng";
const String kRetry = u"Th\u1EED l\u1EA1i";
const String kQuit = u"Tho\u00E1t";

QWidget* widget(win::HWND h) {
    return win::qt::widgetFromHandle(h);
}
win::HFONT fontOf(win::HWND h) {
    return win::SendMessageA(h, win::WM_GETFONT, 0, 0);
}
bool hasDialogFont(win::HWND h) {
    const QFont f = widget(h)->font();
    return fontOf(h) != 0 && f.family() == "Tahoma" && f.weight() == 500;
}

// What the box looked like while it was open.
struct Seen {
    std::vector<win::HWND> statics, buttons;
    std::vector<String> captions;
    String title;
};
Seen look(win::HWND box) {
    return {childrenOf(box, "Static"), childrenOf(box, "Button"), buttonTexts(box), textOf(box)};
}

TEST(UniMsgBox, InformationBoxHasTahomaMessageAndCloseButton) {
    String text = u"Tie65n i1ch: ";
    Seen seen;
    bool fontsRight = false;
    whenBoxOpens([&](win::HWND box) {
        seen = look(box);
        if (seen.statics.size() == 2 && seen.buttons.size() == 1)
            fontsRight = fontOf(seen.statics[0]) == 0 && hasDialogFont(seen.statics[1]) &&
                         textOf(seen.statics[1]) == u"Ti\u1EC7n \u00EDch: " &&
                         hasDialogFont(seen.buttons[0]);
        clickButton(box, kClose);
    });
    EXPECT_EQ(UniMsgBox(text, 64, u"Tho6ng tin ve62 ", 0), 1);
    EXPECT_EQ(text, u"Ti\u1EC7n \u00EDch: ");
    EXPECT_EQ(seen.title, u"Th\u00F4ng tin v\u1EC1 ");
    EXPECT_EQ(seen.captions, std::vector<String>{kClose});
    EXPECT_EQ(seen.statics.size(), 2u);
    EXPECT_TRUE(fontsRight) << "the icon keeps its font; message and button get Tahoma";
}

struct ButtonCase {
    Long flags;
    std::vector<String> captions;
    String press;
    Long result;
    std::size_t statics;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << "flags " << c.flags;
}

class UniMsgBoxButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(UniMsgBoxButtons, CaptionsAreVietnameseAndThePressedButtonAnswers) {
    const ButtonCase c = GetParam();
    String text = u"Ba5n co1 muo61n thoa1t kho6ng?";
    Seen seen;
    bool messageFont = false;
    std::vector<bool> buttonFonts;
    whenBoxOpens([&](win::HWND box) {
        seen = look(box);
        if (!seen.statics.empty()) messageFont = hasDialogFont(seen.statics.back());
        for (const win::HWND b : seen.buttons) buttonFonts.push_back(fontOf(b) != 0);
        clickButton(box, c.press);
    });
    EXPECT_EQ(UniMsgBox(text, c.flags, u"", 0), c.result);
    EXPECT_EQ(seen.captions, c.captions);
    EXPECT_EQ(seen.statics.size(), c.statics);
    EXPECT_TRUE(messageFont) << "the message is the last static child and gets Tahoma";
    // Only the renamed buttons get the font.
    ASSERT_EQ(buttonFonts.size(), c.captions.size());
    for (std::size_t i = 0; i < buttonFonts.size(); ++i)
        EXPECT_EQ(buttonFonts[i], c.captions[i][0] != u'&') << i;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UniMsgBoxButtons,
    ::testing::Values(ButtonCase{0x00, {kClose}, kClose, 1, 1},
                      ButtonCase{0x31, {kClose, kQuit}, kQuit, 2, 2},
                      ButtonCase{0x23, {kYes, kNo, kQuit}, kNo, 7, 2},
                      ButtonCase{0x03, {kYes, kNo, kQuit}, kQuit, 2, 1},
                      ButtonCase{0x04, {kYes, kNo}, kYes, 6, 1},
                      ButtonCase{0x15, {kRetry, kQuit}, kRetry, 4, 2},
                      ButtonCase{0x02, {u"&Abort", kRetry, u"&Ignore"}, u"&Ignore", 5, 1},
                      ButtonCase{0x12, {u"&Abort", kRetry, u"&Ignore"}, u"&Abort", 3, 2}));

TEST(UniMsgBox, ButtonsInAnotherLanguageKeepTheirCaptionsButTheMessageGetsTheFont) {
    win::qt::MessageBoxButtonTexts russian;
    russian.ok = QString::fromUtf16(u"\u041E\u041A");
    russian.cancel = QString::fromUtf16(u"\u041E\u0442\u043C\u0435\u043D\u0430");
    russian.yes = QString::fromUtf16(u"&\u0414\u0430");
    russian.no = QString::fromUtf16(u"&\u041D\u0435\u0442");
    win::qt::setMessageBoxButtonTexts(russian);
    for (const Long flags : {0x40, 0x03}) {
        String text = u"Xin cha2o";
        Seen seen;
        bool messageFont = false;
        whenBoxOpens([&](win::HWND box) {
            seen = look(box);
            messageFont = !seen.statics.empty() && hasDialogFont(seen.statics.back());
            testing::click(seen.buttons.back());
        });
        UniMsgBox(text, flags, u"", 0);
        const std::vector<String> want =
            flags == 0x40
                ? std::vector<String>{russian.ok.toStdU16String()}
                : std::vector<String>{russian.yes.toStdU16String(), russian.no.toStdU16String(),
                                      russian.cancel.toStdU16String()};
        EXPECT_EQ(seen.captions, want) << flags;
        EXPECT_TRUE(messageFont) << flags;
    }
    win::qt::setMessageBoxButtonTexts({});
}

// A hook installed before the box's own, so each event reaches it only if passed on. It notes
// whether the box had been restyled by the time the event arrived.
struct LowerHook {
    struct Event {
        int code;
        win::WPARAM wParam;
        bool restyled;
        win::HHOOK boxHook;
    };
    static inline std::vector<Event> events;
    static inline win::HWND box = 0;
    static win::LRESULT proc(Long code, win::WPARAM wParam, win::LPARAM lParam) {
        if (!box && code == win::HCBT_CREATEWND) box = wParam;
        bool restyled = false;
        for (const win::HWND b : childrenOf(box, "Button")) restyled |= fontOf(b) != 0;
        for (const win::HWND s : childrenOf(box, "Static")) restyled |= fontOf(s) != 0;
        events.push_back({code, wParam, restyled, hMsgBoxHook});
        return win::CallNextHookEx(0, code, wParam, lParam);
    }
};

TEST(UniMsgBox, HookPassesEveryEventOnAndRestylesOnlyOnActivation) {
    const win::HHOOK lower = win::SetWindowsHookExA(win::WH_CBT, LowerHook::proc, App::hInstance(),
                                                    win::GetCurrentThreadId());
    ASSERT_NE(lower, 0);
    String text = u"Ti1nh na8ng";
    std::vector<String> captions;
    whenBoxOpens([&](win::HWND box) {
        captions = buttonTexts(box);
        clickButton(box, kQuit);
    });
    EXPECT_EQ(UniMsgBox(text, 0x23, u"", 0), 2);
    win::UnhookWindowsHookEx(lower);

    // The box, its icon, its message and three buttons are created, then it is activated.
    const auto& ev = LowerHook::events;
    ASSERT_EQ(ev.size(), 7u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(ev[i].code, win::HCBT_CREATEWND) << i;
    EXPECT_EQ(ev[6].code, win::HCBT_ACTIVATE);
    EXPECT_EQ(ev[6].wParam, LowerHook::box);
    for (const auto& e : ev) {
        EXPECT_FALSE(e.restyled) << "restyled before event " << e.code << " was passed on";
        EXPECT_NE(e.boxHook, 0);
    }
    EXPECT_EQ(captions, (std::vector<String>{kYes, kNo, kQuit}));

    // The hook is gone: its handle no longer names a hook, and a later box is left alone.
    EXPECT_EQ(hMsgBoxHook, 0);
    EXPECT_EQ(win::UnhookWindowsHookEx(ev[0].boxHook), win::FALSE_);
    whenBoxOpens([&](win::HWND box) {
        captions = buttonTexts(box);
        clickButton(box, u"OK");
    });
    EXPECT_EQ(win::MessageBoxW(0, u"plain", u"plain", win::MB_OK), win::IDOK);
    EXPECT_EQ(captions, std::vector<String>{u"OK"});
}

win::LRESULT answer77(Long, win::WPARAM, win::LPARAM) {
    return 77;
}

TEST(MsgBoxHookProc, ReturnsTheNextHooksResultAndActsOnceOnActivation) {
    const win::HHOOK lower =
        win::SetWindowsHookExA(win::WH_CBT, answer77, App::hInstance(), win::GetCurrentThreadId());
    hMsgBoxHook = win::SetWindowsHookExA(win::WH_CBT, MsgBoxHookProc, App::hInstance(),
                                         win::GetCurrentThreadId());
    QWidget box;
    auto* message = new QLabel("message", &box);
    auto* ok = new QPushButton("OK", &box);
    const win::HWND hBox = win::qt::registerWindow(&box, "#32770");
    const win::HWND hMessage = win::qt::registerWindow(message, "Static");
    win::qt::registerWindow(ok, "Button");

    EXPECT_EQ(win::qt::callCbtHooks(win::HCBT_CREATEWND, hBox, 0), 77);
    EXPECT_EQ(win::qt::callCbtHooks(-1, hBox, 0), 77);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(fontOf(hMessage), 0);

    EXPECT_EQ(win::qt::callCbtHooks(win::HCBT_ACTIVATE, hBox, 0), 77);
    EXPECT_EQ(ok->text().toStdU16String(), kClose);
    EXPECT_TRUE(hasDialogFont(hMessage));

    // Removed: a second activation reaches only the lower hook.
    ok->setText("OK");
    EXPECT_EQ(win::qt::callCbtHooks(win::HCBT_ACTIVATE, hBox, 0), 77);
    EXPECT_EQ(ok->text(), "OK");
    win::DeleteObject(fontOf(hMessage));
    win::UnhookWindowsHookEx(lower);
}

TEST(UniMsgBox, FontIsReleasedAfterTheBox) {
    const std::size_t before = win::qt::liveFontCount();
    String text = u"a";
    win::HFONT used = 0;
    whenBoxOpens([&](win::HWND box) {
        used = fontOf(childrenOf(box, "Static").back());
        clickButton(box, kClose);
    });
    UniMsgBox(text, 64, u"", 0);
    ASSERT_NE(used, 0);
    EXPECT_EQ(win::qt::fontFromHandle(used), nullptr);
    EXPECT_EQ(win::qt::liveFontCount(), before);
}

TEST(UniMsgBox, BoxThatCannotShowLeavesNoHookBehind) {
    String text = u"a1";
    EXPECT_EQ(UniMsgBox(text, 0x07, u"", 0), 0); // no such button set
    EXPECT_EQ(text, u"\u00E1");
    EXPECT_EQ(hMsgBoxHook, 0);
    std::vector<String> captions;
    whenBoxOpens([&](win::HWND box) {
        captions = buttonTexts(box);
        clickButton(box, u"OK");
    });
    win::MessageBoxW(0, u"plain", u"plain", win::MB_OK);
    EXPECT_EQ(captions, std::vector<String>{u"OK"});
}

TEST(UniMsgBox, TooLongMessageRaisesOverflowWithoutBoxOrHook) {
    const String original(32767, u'a');
    String text = original;
    try {
        UniMsgBox(text, 64, u"", 0);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), errOverflow);
    }
    EXPECT_EQ(text, original);
    EXPECT_EQ(hMsgBoxHook, 0);
    EXPECT_EQ(testing::openBox(), 0);
}

} // namespace
} // namespace vx
