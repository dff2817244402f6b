#include "host/events.h"
#include "patterns_support.h"
#include "platform/message_wait.h"
#include "platform/modal.h"
#include "support/app_fixture.h"
#include <QTimer>

namespace vx::test {
namespace {

struct RowCase {
    const char* name;
    std::vector<int> down; // held down now (and pressed since the last query)
    int row;               // the first passing row, 0 for none
};

class KeyTable : public ::testing::TestWithParam<RowCase> {
  protected:
    void SetUp() override { kb = &installScriptedKeyboard(); }
    void TearDown() override { win::setKeyboardSource(nullptr); }
    ScriptedKeyboard* kb = nullptr;
};

TEST_P(KeyTable, TheFirstPassingRowWins) {
    for (int vk : GetParam().down) kb->press(vk);
    EXPECT_EQ(frmMain::matchKeyRow(), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyTable,
    ::testing::Values(
        RowCase{"one", {0x31}, 1}, RowCase{"nine", {0x39}, 9}, RowCase{"zero", {0x30}, 10},
        RowCase{"escape", {0x1B}, 11}, RowCase{"vg", {0x56, 0x47}, 12},
        RowCase{"gv", {0x47, 0x56}, 12}, RowCase{"hg", {0x48, 0x47}, 13},
        RowCase{"vl", {0x56, 0x4C}, 14}, RowCase{"hl", {0x48, 0x4C}, 15}, RowCase{"t", {0x54}, 16},
        RowCase{"nothing", {}, 0}, RowCase{"vAlone", {0x56}, 0}, RowCase{"gAlone", {0x47}, 0},
        RowCase{"oneAndTwo", {0x31, 0x32}, 1}, RowCase{"digitOverEscape", {0x1B, 0x35}, 5},
        RowCase{"digitOverPair", {0x56, 0x47, 0x38}, 8},
        RowCase{"escapeOverPairs", {0x56, 0x47, 0x1B}, 11},
        RowCase{"escapeOverT", {0x54, 0x1B}, 11}, RowCase{"vgOverVl", {0x56, 0x47, 0x4C}, 12},
        RowCase{"keypadDigit", {0x61}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyTable, RowsBelowThePassingRowAreNotQueried) {
    kb->press(0x33);
    ASSERT_EQ(frmMain::matchKeyRow(), 3);
    EXPECT_EQ(kb->queried, (std::vector<int>{0x31, 0x32, 0x33}));
}

TEST_F(KeyTable, APairQueriesItsFirstKeyThenItsSecond) {
    kb->press(0x48);
    kb->press(0x4C);
    ASSERT_EQ(frmMain::matchKeyRow(), 15);
    const std::vector<int> tail(kb->queried.end() - 2, kb->queried.end());
    EXPECT_EQ(tail, (std::vector<int>{0x48, 0x4C}));
}

struct PairCase {
    const char* name;
    win::SHORT first, second;
    bool passes;
};

class PairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairTest, PassesOnTheBitwiseAndOfBothStates) {
    auto& kb = installScriptedKeyboard();
    kb.state[0x56] = GetParam().first;
    kb.state[0x47] = GetParam().second;
    EXPECT_EQ(frmMain::matchKeyRow() == 12, GetParam().passes);
    win::setKeyboardSource(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, PairTest,
    ::testing::Values(PairCase{"bothDown", static_cast<win::SHORT>(0x8000),
                               static_cast<win::SHORT>(0x8000), true},
                      PairCase{"bothPressedSince", 1, 1, true},
                      PairCase{"downAndPressedSince", static_cast<win::SHORT>(0x8000), 1, false},
                      PairCase{"pressedSinceAndDown", 1, static_cast<win::SHORT>(0x8000), false},
                      PairCase{"downWithBitAndPressedSince", static_cast<win::SHORT>(0x8001), 1,
                               true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, NoKeyActsAfterTheCycleInWhichTheMainWindowClosed) {
    kb->press(0x31); // held for the whole run
    std::size_t queriesAtClose = 0;
    QTimer::singleShot(200, [&] {
        main->Unload();
        queriesAtClose = kb->queried.size();
    });
    main->Timer1_Timer(); // returns once the loop has seen the close
    EXPECT_EQ(main->bKeyLoop, vbFalse);
    EXPECT_GT(queriesAtClose, 0u);
    EXPECT_EQ(kb->queried.size(), queriesAtClose);
    EXPECT_FALSE(testLoaded()); // red was shown, then closed with the main window
}

struct WaitCase {
    const char* name;
    win::DWORD ms; // the pause's length: 50 while a key acts, INFINITE when idle
    int heldVk;    // down before the pause, 0 for none
    int comingVk;  // goes down during the pause: a key, 0 for a click, -1 for nothing
    int handlerMs; // a handler due after this many milliseconds, -1 for none
    win::DWORD result;
};

class Pause : public ::testing::TestWithParam<WaitCase> {};

// No handler runs inside the pause. What ended an idle pause is there for the event step:
// the press is in the key state, the handler runs at the next DoEvents. The idle pause also
// ends on work left from start-up; it then pauses again, as the loop does, a few times and
// not in a busy loop.
TEST_P(Pause, EndsOnAPressOrWhenIdleOnDueWorkAndRunsNoHandler) {
    auto& kb = installScriptedKeyboard();
    const WaitCase& c = GetParam();
    if (c.heldVk) kb.press(c.heldVk);
    if (c.comingVk >= 0)
        kb.pressAt(std::chrono::steady_clock::now() + std::chrono::milliseconds(10), c.comingVk);
    bool handlerRan = false;
    if (c.handlerMs >= 0) QTimer::singleShot(c.handlerMs, [&] { handlerRan = true; });
    win::DWORD result = 0;
    for (int cycles = 0;; ++cycles) {
        ASSERT_LT(cycles, 10) << "the pause does not wait";
        result = win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE_, c.ms, win::QS_ALLINPUT);
        EXPECT_FALSE(handlerRan);
        if (c.ms != win::INFINITE || (c.comingVk >= 0 && kb.coming.empty())) break;
        DoEvents();
        if (handlerRan) break;
    }
    EXPECT_EQ(result, c.result);
    if (c.comingVk > 0) {
        EXPECT_TRUE(win::GetAsyncKeyState(c.comingVk) & 0x8000);
    }
    if (c.handlerMs >= 0 && !handlerRan) {
        DoEvents();
        EXPECT_TRUE(handlerRan);
    }
    win::setKeyboardSource(nullptr);
}

constexpr win::DWORD kIdle = win::INFINITE;
INSTANTIATE_TEST_SUITE_P(
    Input, Pause,
    ::testing::Values(WaitCase{"keyPress", 50, 0, 0x31, -1, win::WAIT_OBJECT_0},
                      WaitCase{"click", 50, 0, 0, -1, win::WAIT_OBJECT_0},
                      WaitCase{"heldKeyAndPostedHandler", 50, 0x31, -1, 0, win::WAIT_TIMEOUT},
                      WaitCase{"nothing", 50, 0, -1, -1, win::WAIT_TIMEOUT},
                      WaitCase{"idleKeyPress", kIdle, 0, 0x31, -1, win::WAIT_OBJECT_0},
                      WaitCase{"idleClick", kIdle, 0, 0, -1, win::WAIT_OBJECT_0},
                      WaitCase{"idlePostedHandler", kIdle, 0, -1, 0, win::WAIT_OBJECT_0},
                      WaitCase{"idleTimerDue", kIdle, 0, -1, 30, win::WAIT_OBJECT_0},
                      WaitCase{"idleHeldKeyWaitsForTheTimer", kIdle, 0x31, -1, 30,
                               win::WAIT_OBJECT_0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, APairPressedAFewMillisecondsApartActsAsThePair) {
    const auto now = std::chrono::steady_clock::now();
    kb->pressAt(now + std::chrono::milliseconds(5), 0x56); // V wakes a poll that finds no row
    kb->pressAt(now + std::chrono::milliseconds(9), 0x47); // G
    bool gradient = false;
    QTimer::singleShot(120, [&] {
        if (testLoaded()) {
            const QImage& img = drawnImage(test());
            gradient = oleAt(img, 0, 0) != oleAt(img, img.width() - 1, img.height() - 1);
        }
        main->Unload();
    });
    main->Timer1_Timer();
    EXPECT_TRUE(gradient);
}

TEST_F(MainWindowTest, ATickWhileAModalWindowIsOpenStartsNoLoop) {
    kb->press(0x31);
    {
        const win::ModalScope modal;
        main->Timer1_Timer(); // returns at once instead of looping inside the modal window
    }
    EXPECT_EQ(main->bKeyLoop, vbFalse);
    EXPECT_TRUE(kb->queried.empty());
    EXPECT_FALSE(testLoaded());
}

TEST_F(MainWindowTest, PressesMadeWhileAModalWindowWasOpenAreDropped) {
    {
        const win::ModalScope modal;
        kb->tap(0x31);   // typed into the modal window and released
        kb->press(0x33); // still held when it ends
    }
    OleColor firstShown = 0;
    QTimer::singleShot(0, [&] { // served after the first cycle
        if (testLoaded()) firstShown = test().BackColor();
        main->Unload();
    });
    main->Timer1_Timer();
    EXPECT_EQ(firstShown, 0x00FF0000u); // blue from the held 3, not red from the dropped 1
}

TEST_F(MainWindowTest, EscapeClosesTheTestWindowAndDoesNothingWhenNoneIsOpen) {
    main->runKeyRow(11); // nothing open
    EXPECT_FALSE(testLoaded());
    main->runKeyRow(3);
    ASSERT_TRUE(testLoaded());
    EXPECT_EQ(test().BackColor(), 0x00FF0000u);
    main->runKeyRow(11);
    EXPECT_FALSE(testLoaded());
}

TEST_F(MainWindowTest, LineRowsSetTheFlagBeforeDrawing) {
    main->runKeyRow(14);
    EXPECT_EQ(main->bLinesDrawn, vbTrue);
    EXPECT_NE(test().control("pv0"), nullptr);
    main->runKeyRow(15);
    EXPECT_EQ(main->bLinesDrawn, vbTrue);
    EXPECT_EQ(test().control("pv0"), nullptr); // the window was loaded afresh
    EXPECT_NE(test().control("ph0"), nullptr);
}

} // namespace
} // namespace vx::test
