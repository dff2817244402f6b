// Modal windows hold the key loop until they end, opened before its first tick and after it
// has run a while, as a person opens them; either way they are painted on the screen.
#include "e2e/x_session.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>

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

// A row and whether it is opened after the key loop has run for a while.
using ModalRow = std::tuple<ModalCase, bool>;

class Modal : public ::testing::TestWithParam<ModalRow> {
  protected:
    const ModalCase& row() const { return std::get<0>(GetParam()); }
    // Starts the program and opens the modal window, before the key loop's first tick or
    // seconds later; returns it once its face is on the screen.
    Window open() {
        const bool late = std::get<1>(GetParam());
        const auto started = std::chrono::steady_clock::now();
        if (!s.startApp()) return 0;
        if (late) std::this_thread::sleep_for(2500ms);
        const Rect main = s.geometry(s.mainWindow());
        const Rect& o = row().opener;
        s.click(main.x + o.x + o.width / 2, main.y + o.y + o.height / 2);
        Window box = 0;
        XSession::waitFor([&] {
            if (auto w = s.findWindow(row().title)) box = *w;
            return box != 0;
        });
        // Not a failure of the program, but then the first tick did not come inside it.
        if (!late && std::chrono::steady_clock::now() - started > 900ms)
            ADD_FAILURE() << "opened too late to test the first tick";
        // Read from the root window, what the monitor shows: not black, nor what was behind.
        const auto painted = [&] {
            const auto px = s.grab(s.geometry(box));
            const auto light = std::count_if(px.begin(), px.end(), [](unsigned v) {
                return (v >> 16 & 0xFF) > 0xC0 && (v >> 8 & 0xFF) > 0xC0 && (v & 0xFF) > 0xC0;
            });
            return light > static_cast<long>(px.size()) / 3;
        };
        if (box) {
            EXPECT_TRUE(XSession::waitFor(painted)) << "its face is not on the screen";
            // On a colormap of its own, xwd -root and tools like it read the window under it.
            EXPECT_TRUE(s.onScreenColormap(box)) << "screenshots show it black";
        }
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
    ASSERT_TRUE(s.findWindow(row().title));
    tap(row().dismiss);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow(row().title); }));
    if (row().effectFollows) {
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

std::string rowName(const ::testing::TestParamInfo<ModalRow>& info) {
    return std::get<0>(info.param).name;
}
INSTANTIATE_TEST_SUITE_P(FirstSecond, Modal,
                         ::testing::Combine(::testing::ValuesIn(kModals), ::testing::Values(false)),
                         rowName);
INSTANTIATE_TEST_SUITE_P(AfterTheKeyLoopRuns, Modal,
                         ::testing::Combine(::testing::ValuesIn(kModals), ::testing::Values(true)),
                         rowName);

} // namespace
} // namespace vx::e2e
