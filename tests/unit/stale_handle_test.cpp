// Calls given the handle of a window that is gone: each fails the way the system call does
// and leaves every other window as it was. A handle is never handed out twice, and a timer
// gone with its window is not touched after its last tick.
#include "dialogs/c_common_dialog.h"
#include "host/timer.h"
#include "platform/comdlg.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/mouse_window.h"
#include "platform/qt/window_table.h"
#include "platform/shell.h"
#include "platform/theme.h"
#include "platform/window_text.h"
#include "platform/windows.h"
#include "support/scripted_dialogs.h"
#include "unit/control_harness.h"
#include "unit/message_box_driver.h"
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace vx::win {
namespace {

using test::ScriptedDialogsScope;

// What a call on another window could change.
struct WindowState {
    QString text;
    QRect geometry;
    bool visible;
    QFont font;
    bool operator==(const WindowState&) const = default;
};

WindowState stateOf(const QWidget* w) {
    const auto* b = qobject_cast<const QPushButton*>(w);
    return {b ? b->text() : w->windowTitle(), w->geometry(), w->isVisible(), w->font()};
}

// 0 when the call copied nothing and left an empty string, as for a window that is gone.
int windowTextResult(HWND h) {
    char16_t buffer[16] = {u'x', u'x'};
    const int n = GetWindowTextW(h, buffer, 16);
    return n == 0 && buffer[0] == 0 ? 0 : n + 1;
}
int classNameResult(HWND h) {
    char buffer[16] = "xx";
    const int n = GetClassNameA(h, buffer, 16);
    return n == 0 && buffer[0] == 0 ? 0 : n + 1;
}

COLORREF customColors[16];
LOGFONTA logFont;

// The extended error of a dialog call given the owner, or -1 when the call did not fail
// before reaching the dialog.
long long dialogFailure(HWND owner, const std::function<BOOL(HWND)>& call) {
    ScriptedDialogsScope dialogs;
    const BOOL result = call(owner);
    return result == FALSE_ && dialogs->shown() == 0
               ? static_cast<long long>(CommDlgExtendedError())
               : -1;
}

struct Call {
    const char* name;
    std::function<long long(HWND)> run;
    long long expected;
};

std::vector<Call> callsOnAGoneWindow() {
    return {
        {"IsWindow", [](HWND h) { return IsWindow(h); }, FALSE_},
        {"SetForegroundWindow", [](HWND h) { return SetForegroundWindow(h); }, FALSE_},
        {"SetWindowPos",
         [](HWND h) { return SetWindowPos(h, HWND_TOPMOST, 5, 5, 90, 90, SWP_SHOWWINDOW); },
         FALSE_},
        {"FindWindowExA parent", [](HWND h) { return FindWindowExA(h, 0, nullptr, nullptr); }, 0},
        {"FindWindowExA parent and class",
         [](HWND h) { return FindWindowExA(h, 0, "Button", nullptr); }, 0},
        {"FindWindowExA child after", [](HWND h) { return FindWindowExA(0, h, nullptr, nullptr); },
         0},
        {"SendMessageA WM_SETFONT",
         [](HWND h) {
             const HFONT font = CreateFontA(-30, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
             const LRESULT r = SendMessageA(h, WM_SETFONT, font, 1);
             DeleteObject(font);
             return r;
         },
         0},
        {"SendMessageA WM_GETFONT", [](HWND h) { return SendMessageA(h, WM_GETFONT, 0, 0); }, 0},
        {"SendMessageA BM_CLICK", [](HWND h) { return SendMessageA(h, BM_CLICK, 0, 0); }, 0},
        {"SetWindowTextW", [](HWND h) { return SetWindowTextW(h, u"Changed"); }, FALSE_},
        {"GetWindowTextW", windowTextResult, 0},
        {"GetWindowTextLengthW", [](HWND h) { return GetWindowTextLengthW(h); }, 0},
        {"GetClassNameA", classNameResult, 0},
        {"SetCapture", [](HWND h) { return SetCapture(h); }, 0},
        {"OpenThemeData", [](HWND h) { return OpenThemeData(h, u"Button"); }, 0},
        {"GetDC", [](HWND h) { return GetDC(h); }, 0},
        // The window only parents the shell's error boxes: the document opens all the same.
        {"ShellExecuteA",
         [](HWND h) {
             std::string opened;
             setShellOpener([&](const std::string& f) {
                 opened = f;
                 return true;
             });
             const HINSTANCE r =
                 ShellExecuteA(h, "open", "https://example.org/", nullptr, nullptr, SW_SHOWNORMAL);
             setShellOpener(nullptr);
             return r > 32 && opened == "https://example.org/";
         },
         1},
        // A dead owner fails the dialog before it shows, as the system does.
        {"ChooseColorA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 CHOOSECOLORA cc{};
                 cc.lStructSize = sizeofCHOOSECOLORA;
                 cc.lpCustColors = customColors;
                 cc.hwndOwner = owner;
                 return ChooseColorA(&cc);
             });
         },
         CDERR_DIALOGFAILURE},
        {"GetOpenFileNameA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 char file[260] = {};
                 OPENFILENAMEA ofn{};
                 ofn.lStructSize = sizeofOPENFILENAMEA;
                 ofn.lpstrFile = file;
                 ofn.nMaxFile = sizeof file;
                 ofn.hwndOwner = owner;
                 return GetOpenFileNameA(&ofn);
             });
         },
         CDERR_DIALOGFAILURE},
        {"GetSaveFileNameA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 char file[260] = {};
                 OPENFILENAMEA ofn{};
                 ofn.lStructSize = sizeofOPENFILENAMEA;
                 ofn.lpstrFile = file;
                 ofn.nMaxFile = sizeof file;
                 ofn.hwndOwner = owner;
                 return GetSaveFileNameA(&ofn);
             });
         },
         CDERR_DIALOGFAILURE},
        {"ChooseFontA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 CHOOSEFONTA cf{};
                 cf.lStructSize = sizeofCHOOSEFONTA;
                 cf.lpLogFont = &logFont;
                 cf.hwndOwner = owner;
                 return ChooseFontA(&cf);
             });
         },
         CDERR_DIALOGFAILURE},
        {"PrintDlgA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 PRINTDLGA pd{};
                 pd.lStructSize = sizeofPRINTDLGA;
                 pd.hwndOwner = owner;
                 return PrintDlgA(&pd);
             });
         },
         CDERR_DIALOGFAILURE},
        {"PageSetupDlgA owner",
         [](HWND h) {
             return dialogFailure(h, [](HWND owner) {
                 PAGESETUPDLGA ps{};
                 ps.lStructSize = sizeofPAGESETUPDLGA;
                 ps.hwndOwner = owner;
                 return PageSetupDlgA(&ps);
             });
         },
         CDERR_DIALOGFAILURE},
        {"cCommonDialog.VBChooseColor Owner",
         [](HWND h) {
             ScriptedDialogsScope dialogs;
             cCommonDialog cd;
             // A failure answers the colour -1, as a cancel does.
             Long color = 0x123456;
             const Boolean ok = cd.VBChooseColor(color, vbTrue, vbFalse, vbFalse, Long{h});
             return ok == vbFalse && color == -1 && dialogs->shown() == 0 ? cd.ExtendedError() : -1;
         },
         CDERR_DIALOGFAILURE},
    };
}

class StaleHandle : public ::testing::Test {
  protected:
    void SetUp() override {
        // The window every call must leave alone, with a button of its own.
        live_ = new QWidget;
        live_->setWindowTitle("Live");
        live_->setGeometry(300, 300, 200, 120);
        liveButton_ = new QPushButton("Keep", live_);
        liveButton_->setGeometry(10, 10, 80, 30);
        hLive_ = qt::registerWindow(live_, "ThunderForm");
        hLiveButton_ = qt::registerWindow(liveButton_, "Button");
        live_->show();
        QObject::connect(liveButton_, &QPushButton::clicked, [this] { ++liveClicks_; });

        // The window that goes, taking its button with it.
        auto* gone = new QWidget;
        gone->setWindowTitle("Gone");
        gone->setGeometry(20, 20, 200, 120);
        auto* goneButton = new QPushButton("Gone", gone);
        goneButton->setGeometry(10, 10, 80, 30);
        hGone_ = qt::registerWindow(gone, "ThunderForm");
        hGoneButton_ = qt::registerWindow(goneButton, "Button");
        gone->show();
        goneCenter_ = gone->geometry().center();
        delete gone;
        QApplication::processEvents();
        before_ = snapshot();
    }
    void TearDown() override {
        ReleaseCapture();
        delete live_;
    }

    std::vector<WindowState> snapshot() const { return {stateOf(live_), stateOf(liveButton_)}; }

    QWidget* live_ = nullptr;
    QPushButton* liveButton_ = nullptr;
    HWND hLive_ = 0, hLiveButton_ = 0, hGone_ = 0, hGoneButton_ = 0;
    QPoint goneCenter_;
    int liveClicks_ = 0;
    std::vector<WindowState> before_;
};

TEST_F(StaleHandle, LiveWindowsAnswerTheCallsThatFailOnGoneOnes) {
    // The failures below would mean nothing if the calls failed on every window.
    EXPECT_EQ(IsWindow(hLive_), TRUE_);
    EXPECT_EQ(FindWindowExA(hLive_, 0, "Button", nullptr), hLiveButton_);
    EXPECT_NE(windowTextResult(hLiveButton_), 0);
    EXPECT_NE(classNameResult(hLive_), 0);
    EXPECT_NE(OpenThemeData(hLive_, u"Button"), 0);
    EXPECT_EQ(dialogFailure(hLive_,
                            [](HWND owner) {
                                CHOOSECOLORA cc{};
                                cc.lStructSize = sizeofCHOOSECOLORA;
                                cc.lpCustColors = customColors;
                                cc.hwndOwner = owner;
                                return ChooseColorA(&cc);
                            }),
              -1);
    EXPECT_EQ(WindowFromPoint(POINT{400, 400}), hLive_);
}

TEST_F(StaleHandle, EveryCallFailsAndTouchesNoOtherWindow) {
    for (const HWND dead : {hGone_, hGoneButton_}) {
        for (const Call& c : callsOnAGoneWindow()) {
            EXPECT_EQ(c.run(dead), c.expected) << c.name << " on the gone " << dead;
            QApplication::processEvents();
            EXPECT_EQ(snapshot(), before_) << c.name << " changed the live window";
            EXPECT_EQ(IsWindow(hLive_), TRUE_) << c.name;
            EXPECT_EQ(GetCapture(), 0) << c.name;
            EXPECT_EQ(liveClicks_, 0) << c.name;
            EXPECT_EQ(SendMessageA(hLive_, WM_GETFONT, 0, 0), 0) << c.name;
        }
    }
}

TEST_F(StaleHandle, TheGoneWindowIsFoundNowhere) {
    EXPECT_EQ(WindowFromPoint(POINT{goneCenter_.x(), goneCenter_.y()}), 0);
    std::vector<HWND> topLevel;
    for (HWND h = FindWindowExA(0, 0, nullptr, nullptr); h;
         h = FindWindowExA(0, h, nullptr, nullptr))
        topLevel.push_back(h);
    EXPECT_NE(std::find(topLevel.begin(), topLevel.end(), hLive_), topLevel.end());
    EXPECT_EQ(std::find(topLevel.begin(), topLevel.end(), hGone_), topLevel.end());
    EXPECT_EQ(FindWindowExA(0, 0, nullptr, "Gone"), 0);
}

TEST_F(StaleHandle, MessageBoxWithAGoneOwnerHasNoOwner) {
    QWidget* owner = reinterpret_cast<QWidget*>(1); // anything but null until the box shows
    vx::testing::whenBoxOpens([&](HWND box) {
        owner = qt::widgetFromHandle(box)->parentWidget();
        vx::testing::clickButton(box, u"OK");
    });
    EXPECT_EQ(MessageBoxW(hGone_, u"Text", u"Caption", MB_OK), IDOK);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(snapshot(), before_);
}

TEST(WindowHandles, AreNeverHandedOutTwice) {
    std::set<HWND> seen;
    std::vector<HWND> dead;
    for (int i = 0; i < 20; ++i) {
        auto* w = new QWidget;
        const HWND h = qt::registerWindow(w, "ThunderForm");
        ASSERT_NE(h, 0);
        EXPECT_TRUE(seen.insert(h).second) << "handle " << h << " handed out again";
        EXPECT_EQ(qt::handleOfWidget(w), h);
        // Every handle given out before stays dead, whatever the new window's address.
        for (const HWND d : dead) EXPECT_EQ(IsWindow(d), FALSE_) << d;
        EXPECT_EQ(IsWindow(h), TRUE_);
        // Half go at once, half through the event loop.
        if (i % 2) {
            delete w;
        } else {
            w->deleteLater();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(IsWindow(h), FALSE_);
        EXPECT_EQ(classNameResult(h), 0);
        dead.push_back(h);
    }
}

// The handler unloads the form, which destroys the timer added to it at run time while its
// tick is still on the stack.
TEST(RunTimeTimer, AHandlerMayUnloadTheFormThatHoldsIt) {
    test::HostForm form;
    form.Show();
    auto& timer = dynamic_cast<Timer&>(form.addControl("VB.Timer", "tmrOnce"));
    int ticks = 0;
    timer.onTimer = [&] {
        ++ticks;
        form.Unload();
    };
    timer.setInterval(1);
    EXPECT_TRUE(test::pumpUntil([&] { return !form.IsLoaded(); }));
    test::pump(20);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(form.control("tmrOnce"), nullptr);
}

} // namespace
} // namespace vx::win
