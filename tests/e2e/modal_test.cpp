// Modal windows opened before the key loop's first tick hold the loop until they end.
#include "e2e/x_session.h"
#include <gtest/gtest.h>
#include <thread>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

struct ModalCase {
    const char* name;
    Rect opener;       // what is clicked, in the main window's client area
    const char* title; // the modal window's title starts with it
    const char* dismiss;
    bool effectFollows;
};

void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.name;
}

const ModalCase kModals[] = {
    {"aboutBox", {6, 285, 595, 25}, "Th\xC3\xB4ng tin v\xE1\xBB\x81 Velotrix!", "Return", true},
    {"aboutBoxBySpace",
     {6, 285, 595, 25},
     "Th\xC3\xB4ng tin v\xE1\xBB\x81 Velotrix!",
     "space",
     true},
    {"colourChooser", {582, 177, 19, 13}, "Select Color", "Escape", false},
};

class Modal : public ::testing::TestWithParam<ModalCase> {
  protected:
    // Starts the program and opens the modal window before the key loop's first tick.
    Window open() {
        const auto started = std::chrono::steady_clock::now();
        if (!s.startApp()) return 0;
        const Rect main = s.geometry(s.mainWindow());
        const Rect& o = GetParam().opener;
        s.click(main.x + o.x + o.width / 2, main.y + o.y + o.height / 2);
        Window box = 0;
        XSession::waitFor([&] {
            if (auto w = s.findWindow(GetParam().title)) box = *w;
            return box != 0;
        });
        // Not a failure of the program, but then the first tick did not come inside it.
        if (std::chrono::steady_clock::now() - started > 900ms)
            ADD_FAILURE() << "opened too late to test the first tick";
        return box;
    }
    bool corner(unsigned colour) { return s.pixel(1, 1) == colour; }
    void tap(const char* key) {
        s.keyDown(key);
        std::this_thread::sleep_for(30ms);
        s.keyUp(key);
    }
    XSession s{1024, 768};
};

TEST_P(Modal, KeysWaitUntilItEndsAndItsAnswerReturns) {
    const Window box = open();
    ASSERT_NE(box, 0u);
    std::this_thread::sleep_for(1300ms); // the key loop's first tick falls while it is open
    tap("1");
    EXPECT_FALSE(XSession::waitFor([&] { return corner(0xFF0000); }, 500ms))
        << "a key acted while the modal window was open";
    ASSERT_TRUE(s.findWindow(GetParam().title));
    tap(GetParam().dismiss);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow(GetParam().title); }));
    if (GetParam().effectFollows) {
        ASSERT_TRUE(XSession::waitFor([&] { return s.findWindow("frmEff").has_value(); }));
        std::this_thread::sleep_for(300ms);
        s.click(s.width() / 2, s.height() / 2);
        EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("frmEff"); }))
            << "a click did not end the effect";
    }
    // The 1 typed meanwhile is forgotten; the next key acts.
    EXPECT_FALSE(XSession::waitFor([&] { return corner(0xFF0000); }, 400ms));
    tap("3");
    EXPECT_TRUE(XSession::waitFor([&] { return corner(0x0000FF); }));
    tap("Escape");
    s.closeWindow(s.mainWindow());
    EXPECT_EQ(s.waitExit(5s), 0);
}

TEST_P(Modal, ClosingTheMainWindowWhileItIsOpenEndsTheProgram) {
    ASSERT_NE(open(), 0u);
    std::this_thread::sleep_for(1300ms);
    s.closeWindow(s.mainWindow());
    EXPECT_EQ(s.waitExit(5s), 0);
}

INSTANTIATE_TEST_SUITE_P(FirstSecond, Modal, ::testing::ValuesIn(kModals),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vx::e2e
