#include "app/desktop_notice.h"
#include "platform/gdi.h"
#include "platform/message_wait.h"
#include "platform/qt/desktop_face.h"
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/window_table.h"
#include "support/scripted_keyboard.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <thread>

namespace vx::test {
namespace {

// A keyboard whose keys reach as far as a row of the table says.
class ScopedKeyboard : public ScriptedKeyboard {
  public:
    explicit ScopedKeyboard(win::KeyScope s) : scope_(s) {}
    win::KeyScope scope() const override { return scope_; }

  private:
    win::KeyScope scope_;
};

struct ScopeRow {
    win::KeyScope scope;
    const char* says; // a phrase of the notice, or null when none is shown
};

void PrintTo(const ScopeRow& r, std::ostream* os) {
    *os << "scope " << static_cast<int>(r.scope);
}

class KeyScopeNotice : public ::testing::TestWithParam<ScopeRow> {};

TEST_P(KeyScopeNotice, ShownOnceWithItsWordingWhereKeysAreNotGlobal) {
    const ScopeRow row = GetParam();
    win::setKeyboardSource(std::make_unique<ScopedKeyboard>(row.scope));
    const win::HWND notice = tellKeyScopeOnce();
    if (!row.says) {
        EXPECT_EQ(notice, 0);
        return;
    }
    ASSERT_NE(notice, 0);
    auto* box = qobject_cast<QMessageBox*>(win::qt::widgetFromHandle(notice));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal()); // start-up goes on underneath
    EXPECT_TRUE(box->text().contains(QString::fromUtf8(row.says))) << box->text().toStdString();
    EXPECT_EQ(tellKeyScopeOnce(), 0);
    box->close();
    win::setKeyboardSource(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Scopes, KeyScopeNotice,
    ::testing::Values(ScopeRow{win::KeyScope::Global, nullptr},
                      ScopeRow{win::KeyScope::OwnWindows, "while a Velotrix window"},
                      ScopeRow{win::KeyScope::XClients, "while a window of an X11 program"}));

// A desktop that gives no picture of the screen.
class PicturelessFace : public win::qt::DesktopFace {
  public:
    std::optional<win::qt::ScreenPicture> grabScreen(win::ScreenPictureProblem& why) override {
        why = win::ScreenPictureProblem::NoService;
        return std::nullopt;
    }
    int resamplingPercent(const QScreen*) override { return 0; }
};

class NoPictureNotice : public ::testing::TestWithParam<bool> {};

// T finds no picture: its words join the keys' words, in the notice still open or, once the
// person closed it, in the notice shown again with both.
TEST_P(NoPictureNotice, JoinsTheKeysWordsInOneNotice) {
    const bool closedFirst = GetParam();
    win::setKeyboardSource(std::make_unique<ScopedKeyboard>(win::KeyScope::OwnWindows));
    win::qt::setDesktopFace(std::make_unique<PicturelessFace>());
    auto* keys = qobject_cast<QMessageBox*>(win::qt::widgetFromHandle(tellKeyScopeOnce()));
    ASSERT_NE(keys, nullptr);
    if (closedFirst) keys->close();
    EXPECT_EQ(win::GetDC(0), 0);
    const win::HWND notice = tellNoScreenPictureOnce();
    auto* box = qobject_cast<QMessageBox*>(win::qt::widgetFromHandle(notice));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains("while a Velotrix window")) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains("T (the screen effect) does nothing here: this desktop "
                                     "offers no screenshot service"))
        << box->text().toStdString();
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        open += qobject_cast<QMessageBox*>(w) && w->isVisible();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(win::GetDC(0), 0);
    EXPECT_EQ(tellNoScreenPictureOnce(), 0) << "told once";
    box->close();
    win::qt::setDesktopFace(nullptr);
    win::setKeyboardSource(nullptr);
}

INSTANTIATE_TEST_SUITE_P(KeysNoticeFirst, NoPictureNotice, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "closed" : "open"; });

struct SessionRow {
    const char* waylandDisplay; // null: unset
    const char* sessionType;
    win::KeyScope scope;
};

void PrintTo(const SessionRow& r, std::ostream* os) {
    const auto shown = [](const char* v) { return !v ? "unset" : *v ? v : "empty"; };
    *os << shown(r.waylandDisplay) << " " << shown(r.sessionType);
}

class X11KeyScope : public ::testing::TestWithParam<SessionRow> {};

// An X server under a Wayland compositor (XWayland) sees only the keys typed into X clients.
TEST_P(X11KeyScope, FollowsTheSessionType) {
    const SessionRow row = GetParam();
    const auto set = [](const char* name, const char* value) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    };
    set("WAYLAND_DISPLAY", row.waylandDisplay);
    set("XDG_SESSION_TYPE", row.sessionType);
    EXPECT_EQ(win::qt::x11KeyScope(), row.scope);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, X11KeyScope,
    ::testing::Values(SessionRow{nullptr, nullptr, win::KeyScope::Global},
                      SessionRow{"", "x11", win::KeyScope::Global},
                      SessionRow{nullptr, "tty", win::KeyScope::Global},
                      SessionRow{"wayland-0", nullptr, win::KeyScope::XClients},
                      SessionRow{nullptr, "wayland", win::KeyScope::XClients}));

void send(QWidget& target, QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent e(type, key, mods);
    QApplication::sendEvent(&target, &e);
}

TEST(FocusKeyboard, KeysComeFromTheProgramsOwnWindows) {
    auto kb = win::qt::makeFocusKeyboard();
    EXPECT_EQ(kb->scope(), win::KeyScope::OwnWindows);
    QWidget w;
    w.show();
    send(w, QEvent::KeyPress, Qt::Key_1);
    EXPECT_EQ(static_cast<unsigned short>(kb->asyncState(0x31)), 0x8001); // down, pressed since
    EXPECT_EQ(static_cast<unsigned short>(kb->asyncState(0x31)), 0x8000); // the query cleared bit 0
    send(w, QEvent::KeyRelease, Qt::Key_1);
    EXPECT_EQ(kb->asyncState(0x31), 0);

    send(w, QEvent::KeyPress, Qt::Key_V);
    send(w, QEvent::KeyRelease, Qt::Key_V);
    EXPECT_EQ(kb->asyncState(0x56), 1); // pressed and released since the last query

    send(w, QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(kb->asyncState(0x31), 0); // keypad digits are other keys
    EXPECT_NE(kb->asyncState(0x61), 0);
}

// Input that reaches a window while the key loop pauses: a press ends the pause, and the
// window gets it only afterwards, in the event step.
struct PauseInput {
    const char* name;
    QEvent* (*make)();
    win::DWORD result;
    int vk;                   // the key the event step then reports pressed, 0 for none
    unsigned short state = 0; // its state after the event step
    bool windowGoes = false;  // the window is destroyed before the key's release
};

void PrintTo(const PauseInput& p, std::ostream* os) {
    *os << p.name;
}

class CountingWidget : public QWidget {
  public:
    int seen = 0;
    using QWidget::destroy; // its window goes, as when the desktop closes it

  protected:
    void keyPressEvent(QKeyEvent*) override { ++seen; }
    void keyReleaseEvent(QKeyEvent*) override { ++seen; }
    void mousePressEvent(QMouseEvent*) override { ++seen; }
};

class FocusPause : public ::testing::TestWithParam<PauseInput> {};

TEST_P(FocusPause, EndsOnAPressAndHoldsTheInputUntilAfter) {
    const PauseInput& c = GetParam();
    win::setKeyboardSource(win::qt::makeFocusKeyboard());
    CountingWidget w;
    w.show();
    w.activateWindow();
    w.setFocus();
    QCoreApplication::processEvents();
    QWindow* window = w.windowHandle();
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        QCoreApplication::postEvent(window, c.make());
    });
    const win::DWORD result =
        win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE_, 200, win::QS_ALLINPUT);
    sender.join();
    const int seenInPause = w.seen;
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seenInPause, 0);
    EXPECT_EQ(w.seen, 1);
    if (c.windowGoes) w.destroy();
    if (c.vk) {
        EXPECT_EQ(static_cast<unsigned short>(win::GetAsyncKeyState(c.vk)), c.state);
    }
    win::setKeyboardSource(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Input, FocusPause,
    ::testing::Values(
        PauseInput{"keyPress",
                   []() -> QEvent* { return new QKeyEvent(QEvent::KeyPress, Qt::Key_3, {}); },
                   win::WAIT_OBJECT_0, 0x33, 0x8001},
        PauseInput{"keyPressWindowGone",
                   []() -> QEvent* { return new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}); },
                   win::WAIT_OBJECT_0, 0x1B, 0x0001, true},
        PauseInput{"click",
                   []() -> QEvent* {
                       return new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                              QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, {});
                   },
                   win::WAIT_OBJECT_0, 0},
        PauseInput{"autoRepeat",
                   []() -> QEvent* {
                       return new QKeyEvent(QEvent::KeyPress, Qt::Key_3, {}, QString(), true);
                   },
                   win::WAIT_TIMEOUT, 0},
        PauseInput{"keyRelease",
                   []() -> QEvent* { return new QKeyEvent(QEvent::KeyRelease, Qt::Key_3, {}); },
                   win::WAIT_TIMEOUT, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vx::test
