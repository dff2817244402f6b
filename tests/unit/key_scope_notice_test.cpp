#include "app/key_scope_notice.h"
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/window_table.h"
#include "support/scripted_keyboard.h"
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

// A keyboard that sees no global keys, as on a desktop without an X server.
class WindowOnlyKeyboard : public ScriptedKeyboard {
  public:
    bool global() const override { return false; }
};

TEST(KeyScopeNotice, ShownOnceAndOnlyWhereKeysAreNotGlobal) {
    installScriptedKeyboard();
    EXPECT_EQ(tellKeyScopeOnce(), 0); // global keys: nothing to say

    win::setKeyboardSource(std::make_unique<WindowOnlyKeyboard>());
    const win::HWND notice = tellKeyScopeOnce();
    ASSERT_NE(notice, 0);
    QWidget* w = win::qt::widgetFromHandle(notice);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal()); // start-up goes on underneath
    EXPECT_EQ(tellKeyScopeOnce(), 0);
    w->close();
    win::setKeyboardSource(nullptr);
}

void send(QWidget& target, QEvent::Type type, int key, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent e(type, key, mods);
    QApplication::sendEvent(&target, &e);
}

TEST(FocusKeyboard, KeysComeFromTheProgramsOwnWindows) {
    auto kb = win::qt::makeFocusKeyboard();
    EXPECT_FALSE(kb->global());
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

} // namespace
} // namespace vx::test
