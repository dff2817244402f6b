#include "platform/fonts.h"
#include "platform/hooks.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/qt/font_table.h"
#include "platform/system.h"
#include "unit/message_box_driver.h"
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vx::win {
namespace {

using String = std::u16string;
using vx::testing::buttonTexts;
using vx::testing::childrenOf;
using vx::testing::click;
using vx::testing::textOf;
using vx::testing::whenBoxOpens;

QWidget* widget(HWND h) {
    return qt::widgetFromHandle(h);
}

void pressKey(HWND h, Qt::Key key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget(h), &press);
}

struct SetCase {
    UINT type;
    std::vector<String> texts;
    std::vector<int> ids;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << "type " << c.type;
}

class ButtonSets : public ::testing::TestWithParam<SetCase> {};

TEST_P(ButtonSets, EachButtonClosesTheBoxWithItsIdentifier) {
    const SetCase c = GetParam();
    for (std::size_t i = 0; i < c.ids.size(); ++i) {
        std::vector<String> seen;
        whenBoxOpens([&](HWND box) {
            seen = buttonTexts(box);
            click(childrenOf(box, "Button")[i]);
        });
        EXPECT_EQ(MessageBoxW(0, u"text", u"title", c.type), c.ids[i]) << i;
        EXPECT_EQ(seen, c.texts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonSets,
    ::testing::Values(
        SetCase{MB_OK, {u"OK"}, {IDOK}}, SetCase{MB_OKCANCEL, {u"OK", u"Cancel"}, {IDOK, IDCANCEL}},
        SetCase{
            MB_ABORTRETRYIGNORE, {u"&Abort", u"&Retry", u"&Ignore"}, {IDABORT, IDRETRY, IDIGNORE}},
        SetCase{MB_YESNOCANCEL, {u"&Yes", u"&No", u"Cancel"}, {IDYES, IDNO, IDCANCEL}},
        SetCase{MB_YESNO, {u"&Yes", u"&No"}, {IDYES, IDNO}},
        SetCase{MB_RETRYCANCEL, {u"&Retry", u"Cancel"}, {IDRETRY, IDCANCEL}}));

struct CloseCase {
    UINT type;
    bool staysOpen; // then the first button is pressed
    int answer;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << "type " << c.type;
}

class CloseBox : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseBox, AnswersCancelOrTheLoneOkElseStaysOpen) {
    const CloseCase c = GetParam();
    for (const bool escape : {false, true}) {
        bool stayedOpen = false;
        whenBoxOpens([&](HWND box) {
            if (escape)
                pressKey(box, Qt::Key_Escape);
            else
                widget(box)->close();
            stayedOpen = widget(box) && widget(box)->isVisible();
            if (stayedOpen) click(childrenOf(box, "Button")[0]);
        });
        const int result = MessageBoxW(0, u"text", u"title", c.type);
        EXPECT_EQ(stayedOpen, c.staysOpen) << escape;
        EXPECT_EQ(result, c.answer) << escape;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CloseBox,
                         ::testing::Values(CloseCase{MB_OK, false, IDOK},
                                           CloseCase{MB_OKCANCEL, false, IDCANCEL},
                                           CloseCase{MB_YESNOCANCEL, false, IDCANCEL},
                                           CloseCase{MB_RETRYCANCEL, false, IDCANCEL},
                                           CloseCase{MB_YESNO, true, IDYES},
                                           CloseCase{MB_ABORTRETRYIGNORE, true, IDABORT}));

TEST(MessageBox, IconIsTheFirstStaticTheMessageTheLastAndNoCaptionReadsError) {
    for (const UINT icon : {0u, 0x10u, 0x20u, 0x30u, 0x40u}) {
        std::vector<HWND> statics;
        std::vector<String> texts;
        String title;
        whenBoxOpens([&](HWND box) {
            statics = childrenOf(box, "Static");
            for (const HWND s : statics) texts.push_back(textOf(s));
            title = textOf(box);
            click(childrenOf(box, "Button")[0]);
        });
        MessageBoxW(0, u"Hello & goodbye", icon ? u"Caption" : nullptr, MB_OK | icon);
        EXPECT_EQ(statics.size(), icon ? 2u : 1u) << icon;
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), u"Hello & goodbye");
        EXPECT_EQ(texts.front(), icon ? u"" : u"Hello & goodbye");
        EXPECT_EQ(title, icon ? u"Caption" : u"Error");
    }
}

TEST(MessageBox, EnterAndSpacePressTheFocusedButtonAndALetterItsMnemonic) {
    struct Case {
        UINT type;
        Qt::Key key;
        QString text;
        int answer;
    };
    for (const Case& c :
         {Case{MB_YESNO | MB_DEFBUTTON2, Qt::Key_Return, "\r", IDNO},
          Case{MB_YESNOCANCEL | MB_DEFBUTTON3, Qt::Key_Return, "\r", IDCANCEL},
          Case{MB_YESNO | MB_DEFBUTTON4, Qt::Key_Return, "\r", IDYES},
          Case{MB_ABORTRETRYIGNORE, Qt::Key_I, "i", IDIGNORE}, Case{MB_YESNO, Qt::Key_N, "N", IDNO},
          Case{MB_OKCANCEL | MB_DEFBUTTON2, Qt::Key_Space, " ", IDCANCEL}}) {
        whenBoxOpens([&](HWND box) {
            // Keys go to the focused button, as they would on screen.
            QWidget* focus = widget(box)->focusWidget();
            pressKey(focus ? qt::handleOfWidget(focus) : box, c.key, c.text);
            if (c.key == Qt::Key_Return || c.key == Qt::Key_Space) {
                QKeyEvent release(QEvent::KeyRelease, c.key, Qt::NoModifier, c.text);
                QApplication::sendEvent(focus ? focus : widget(box), &release);
            }
        });
        EXPECT_EQ(MessageBoxW(0, u"text", u"title", c.type), c.answer) << c.type << " " << c.key;
    }
}

TEST(MessageBox, UnknownButtonSetShowsNothingAndAnswersZero) {
    EXPECT_EQ(MessageBoxW(0, u"text", u"title", 7), 0);
    EXPECT_EQ(FindWindowExA(0, 0, "#32770", nullptr), 0);
}

TEST(MessageBox, OwnerIsTheWindowOfTheOwnerHandleAndADeadHandleMeansNone) {
    QWidget owner;
    auto* child = new QLabel(&owner);
    const HWND hChild = qt::registerWindow(child, "Static");
    HWND dead;
    {
        QWidget gone;
        dead = qt::registerWindow(&gone, "ThunderForm");
    }
    for (const auto& [hOwner, want] :
         {std::pair{hChild, &owner}, std::pair{dead, (QWidget*)nullptr}}) {
        QWidget* parent = &owner;
        whenBoxOpens([&](HWND box) {
            parent = widget(box)->parentWidget();
            click(childrenOf(box, "Button")[0]);
        });
        EXPECT_EQ(MessageBoxW(hOwner, u"text", nullptr, MB_OK), IDOK);
        EXPECT_EQ(parent, want);
    }
}

// Records the CBT events the box sends; refuses the creation it is told to.
struct Recorder {
    static inline std::vector<std::pair<int, std::string>> events;
    static inline int refuseCreation = -1; // index of the creation to refuse
    static LRESULT proc(std::int32_t code, WPARAM wParam, LPARAM lParam) {
        char name[64];
        GetClassNameA(wParam, name, sizeof name);
        events.emplace_back(code, name);
        const LRESULT next = CallNextHookEx(0, code, wParam, lParam);
        const int creations = static_cast<int>(std::count_if(
            events.begin(), events.end(), [](const auto& e) { return e.first == HCBT_CREATEWND; }));
        return code == HCBT_CREATEWND && creations - 1 == refuseCreation ? 1 : next;
    }
};

TEST(MessageBox, HooksSeeEachWindowCreatedAndThenTheActivation) {
    const HHOOK h = SetWindowsHookExA(WH_CBT, Recorder::proc, 0, GetCurrentThreadId());
    whenBoxOpens([](HWND box) { click(childrenOf(box, "Button")[1]); });
    EXPECT_EQ(MessageBoxW(0, u"text", u"title", MB_OKCANCEL | MB_ICONHAND), IDCANCEL);
    const std::vector<std::pair<int, std::string>> want = {
        {HCBT_CREATEWND, "#32770"}, {HCBT_CREATEWND, "Static"}, {HCBT_CREATEWND, "Static"},
        {HCBT_CREATEWND, "Button"}, {HCBT_CREATEWND, "Button"}, {HCBT_ACTIVATE, "#32770"}};
    EXPECT_EQ(Recorder::events, want);

    // A hook that refuses a window's creation stops the box.
    for (const int refused : {0, 3}) {
        Recorder::events.clear();
        Recorder::refuseCreation = refused;
        EXPECT_EQ(MessageBoxW(0, u"text", u"title", MB_OKCANCEL), 0) << refused;
        EXPECT_EQ(FindWindowExA(0, 0, "#32770", nullptr), 0);
    }
    UnhookWindowsHookEx(h);
}

TEST(FindWindowEx, SearchesDirectChildrenInCreationOrderByClassAndText) {
    QWidget top;
    const HWND hTop = qt::registerWindow(&top, "#32770");
    auto* a = new QPushButton("&Yes", &top);
    auto* frame = new QWidget(&top); // not a registered window: its children belong to top
    auto* b = new QPushButton("Cancel", frame);
    auto* label = new QLabel("text", &top);
    auto* inner = new QWidget(&top);
    auto* grandchild = new QPushButton("Cancel", inner);
    const HWND hA = qt::registerWindow(a, "Button");
    const HWND hB = qt::registerWindow(b, "Button");
    const HWND hLabel = qt::registerWindow(label, "Static");
    const HWND hInner = qt::registerWindow(inner, "Static");
    const HWND hGrand = qt::registerWindow(grandchild, "Button");

    EXPECT_EQ(FindWindowExA(hTop, 0, "Button", nullptr), hA);
    EXPECT_EQ(FindWindowExA(hTop, hA, "Button", nullptr), hB);
    EXPECT_EQ(FindWindowExA(hTop, hB, "Button", nullptr), 0); // the grandchild is not direct
    EXPECT_EQ(FindWindowExA(hTop, 0, "button", "cancel"), hB);
    EXPECT_EQ(FindWindowExA(hTop, 0, "Button", "Yes"), 0);
    EXPECT_EQ(FindWindowExA(hTop, 0, nullptr, "text"), hLabel);
    EXPECT_EQ(FindWindowExA(hTop, hLabel, "Static", nullptr), hInner);
    EXPECT_EQ(FindWindowExA(hInner, 0, nullptr, nullptr), hGrand);
    EXPECT_EQ(FindWindowExA(hTop, hGrand, nullptr, nullptr), 0); // not a child of hTop
    EXPECT_EQ(FindWindowExA(0, 0, "#32770", nullptr), hTop);
    delete inner;
    EXPECT_EQ(FindWindowExA(hInner, 0, nullptr, nullptr), 0);
}

TEST(WindowText, SetWindowTextWChangesTheCaptionShown) {
    QWidget top;
    auto* button = new QPushButton("OK", &top);
    const HWND hTop = qt::registerWindow(&top, "#32770");
    const HWND hButton = qt::registerWindow(button, "Button");
    EXPECT_EQ(SetWindowTextW(hButton, u"\u0110\u00F3ng"), TRUE_);
    EXPECT_EQ(button->text(), QString::fromUtf16(u"\u0110\u00F3ng"));
    EXPECT_EQ(SetWindowTextW(hTop, u"Th\u00F4ng tin"), TRUE_);
    EXPECT_EQ(top.windowTitle(), QString::fromUtf16(u"Th\u00F4ng tin"));
    char16_t small[3];
    EXPECT_EQ(GetWindowTextW(hButton, small, 3), 2);
    EXPECT_EQ(String(small), u"\u0110\u00F3");
    char name[4];
    EXPECT_EQ(GetClassNameA(hButton, name, 4), 3);
    EXPECT_STREQ(name, "But");
    delete button;
    EXPECT_EQ(SetWindowTextW(hButton, u"x"), FALSE_);
}

TEST(Fonts, CreateFontAttributesReachTheWidgetThroughWmSetFont) {
    QLabel label("text");
    const HWND h = qt::registerWindow(&label, "Static");
    const QString systemFamily = label.font().family();
    const HFONT tahoma = CreateFontA(-13, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    const HFONT styled = CreateFontA(20, 0, 0, 0, FW_BOLD, 1, 1, 1, 0, 0, 0, 0, FF_MODERN, "");
    ASSERT_NE(tahoma, 0);
    ASSERT_NE(styled, 0);

    SendMessageA(h, WM_SETFONT, tahoma, 1);
    EXPECT_EQ(label.font().family(), "Tahoma");
    EXPECT_EQ(label.font().pixelSize(), 13);
    EXPECT_EQ(label.font().weight(), QFont::Medium);
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), tahoma);

    SendMessageA(h, WM_SETFONT, styled, 0);
    const QFont f = label.font();
    EXPECT_TRUE(f.bold() && f.italic() && f.underline() && f.strikeOut());
    EXPECT_NEAR(QFontMetricsF(f).height(), 20, 2); // a positive height is the cell height

    SendMessageA(h, WM_SETFONT, 0, 0);
    EXPECT_EQ(label.font().family(), systemFamily);
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), 0);

    EXPECT_EQ(DeleteObject(tahoma), TRUE_);
    EXPECT_EQ(DeleteObject(tahoma), FALSE_);
    EXPECT_EQ(qt::fontFromHandle(tahoma), nullptr);
    EXPECT_EQ(DeleteObject(h), FALSE_); // not a font
    EXPECT_EQ(DeleteObject(styled), TRUE_);
    EXPECT_EQ(CreateFontA(0, 0, 0, 0, 1001, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"), 0);
}

} // namespace
} // namespace vx::win
