// The real program under Xvfb: the main window, solid colours from global keys, closing,
// one copy per desktop.
#include "e2e/desktop_probe.h"
#include "e2e/x_session.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <thread>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

// A 9 x 9 grid over the whole screen, corners and edges included.
std::vector<std::pair<int, int>> samplePoints(int w, int h) {
    std::vector<std::pair<int, int>> pts;
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 8; ++j) pts.emplace_back((w - 1) * i / 8, (h - 1) * j / 8);
    return pts;
}

bool wholeScreenIs(XSession& s, unsigned rgb) {
    for (auto [x, y] : samplePoints(s.width(), s.height()))
        if (s.pixel(x, y) != rgb) return false;
    return true;
}

class Spine : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Spine, MainWindowAppearsCentredWithItsClientArea) {
    const auto [w, h] = GetParam();
    XSession s(w, h);
    ASSERT_TRUE(s.startApp());
    const Rect r = s.geometry(s.mainWindow());
    EXPECT_EQ(r.width, 607);
    EXPECT_EQ(r.height, 316);
    EXPECT_NEAR(r.x, (w - 607) / 2, 1);
    EXPECT_NEAR(r.y, (h - 316) / 2, 1);
}

TEST_P(Spine, EachColourKeyFillsTheWholeScreen) {
    const auto [w, h] = GetParam();
    XSession s(w, h);
    ASSERT_TRUE(s.startApp());
    const std::pair<const char*, unsigned> keys[] = {
        {"1", 0xFF0000}, {"2", 0x00FF00}, {"3", 0x0000FF}, {"4", 0x00FFFF},
        {"5", 0xFF00FF}, {"6", 0xFFFF00}, {"7", 0x000000}, {"8", 0xFFFFFF},
    };
    // Start from white so that black (key 7) is a visible change.
    ASSERT_TRUE(s.holdUntil({"8"}, [&] { return wholeScreenIs(s, 0xFFFFFF); }));
    for (auto [key, rgb] : keys)
        EXPECT_TRUE(s.holdUntil({key}, [&] { return wholeScreenIs(s, rgb); })) << "key " << key;
}

INSTANTIATE_TEST_SUITE_P(Screens, Spine,
                         ::testing::Values(std::make_pair(1024, 768), std::make_pair(1366, 768)),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "x" +
                                    std::to_string(info.param.second);
                         });

TEST(SpineKeys, KeyZeroGivesARandomColourWithBlueAtMostOne) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    ASSERT_TRUE(s.holdUntil({"8"}, [&] { return wholeScreenIs(s, 0xFFFFFF); }));
    unsigned seen = 0xFFFFFF;
    ASSERT_TRUE(s.holdUntil({"0"}, [&] {
        seen = s.pixel(512, 384);
        return seen != 0xFFFFFF && wholeScreenIs(s, seen);
    }));
    EXPECT_LE(seen & 0xFF, 1u) << std::hex << seen;
}

TEST(SpineKeys, KeyNineShowsTheCustomSwatchColour) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const Rect r = s.geometry(s.mainWindow());
    // Inside Picture9, left of its button and clear of its border and of any text.
    const unsigned swatch = s.pixel(r.x + 7020 / 15 + 8, r.y + 2475 / 15 + 6);
    EXPECT_TRUE(s.holdUntil({"9"}, [&] { return wholeScreenIs(s, swatch); })) << std::hex << swatch;
}

TEST(SpineKeys, HoldingOneAndTwoShowsRed) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    ASSERT_TRUE(s.holdUntil({"1", "2"}, [&] { return wholeScreenIs(s, 0xFF0000); }));
    s.keyDown("1");
    s.keyDown("2");
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(wholeScreenIs(s, 0xFF0000));
    s.keyUp("1");
    s.keyUp("2");
}

TEST(SpineKeys, KeysWorkWhileAnotherClientHasTheFocus) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    ASSERT_TRUE(s.focusOtherClient());
    EXPECT_TRUE(s.holdUntil({"3"}, [&] { return s.pixel(512, 384) == 0x0000FF; }));
}

TEST(SpineKeys, EscapeAndAClickEachCloseTheTestWindow) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    ASSERT_TRUE(s.holdUntil({"1"}, [&] { return wholeScreenIs(s, 0xFF0000); }));
    ASSERT_TRUE(s.findWindow("Form1"));
    EXPECT_TRUE(s.holdUntil({"Escape"}, [&] { return !s.findWindow("Form1"); }));

    ASSERT_TRUE(s.holdUntil({"2"}, [&] { return wholeScreenIs(s, 0x00FF00); }));
    s.click(20, 20);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("Form1"); }));
    EXPECT_TRUE(s.appRunning());
}

TEST(SpineKeys, CloseRequestEndsTheProgramWithExitCodeZero) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    std::this_thread::sleep_for(1500ms); // the key loop is running by now
    s.closeWindow(s.mainWindow());
    const auto code = s.waitExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}

TEST(SpineKeys, CloseBeforeTheKeyLoopStartsEndsCleanly) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    s.closeWindow(s.mainWindow());
    const auto code = s.waitExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}

// The Red swatch of the main window, clear of its name.
std::pair<int, int> redSwatch(const Rect& main) {
    return {main.x + 1140 / 15, main.y + 1365 / 15};
}

struct HiddenMain {
    const char* name;
    bool underWindowManager;
};

void PrintTo(const HiddenMain& c, std::ostream* os) {
    *os << c.name;
}

class SecondStart : public ::testing::TestWithParam<HiddenMain> {};

TEST_P(SecondStart, BringsTheRunningCopyForwardAndEnds) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const Window main = s.mainWindow();
    std::optional<WindowManager> wm;
    if (GetParam().underWindowManager) {
        wm.emplace(s.display());
        if (!wm->running()) GTEST_SKIP() << "openbox is not installed";
        ASSERT_TRUE(wm->manages(main));
        iconify(s.display(), main);
        ASSERT_TRUE(XSession::waitFor([&] { return !isViewable(s.display(), main); }));
    } else {
        coverWith(s.display(), s.geometry(main), 0x204060);
    }
    // The user works in another program meanwhile.
    ASSERT_TRUE(s.focusOtherClient());
    s.click(15, 15);
    const auto [x, y] = redSwatch(s.geometry(main));
    ASSERT_TRUE(XSession::waitFor([&] { return s.pixel(x, y) != 0xFF0000; }));

    const auto code = s.waitOther(s.startOther(), std::chrono::seconds(10));
    ASSERT_TRUE(code.has_value()) << "the second copy is still running";
    EXPECT_EQ(*code, 0);
    EXPECT_TRUE(XSession::waitFor([&] {
        const auto [x, y] = redSwatch(s.geometry(main));
        return isViewable(s.display(), main) && s.pixel(x, y) == 0xFF0000;
    })) << "the control window is not back in front";
    EXPECT_TRUE(XSession::waitFor([&] { return hasFocus(s.display(), main); }));
    EXPECT_EQ(countWindows(s.display(), "Velotrix"), 1);
    EXPECT_TRUE(s.appRunning());
}

INSTANTIATE_TEST_SUITE_P(Table, SecondStart,
                         ::testing::Values(HiddenMain{"CoveredByAnotherClient", false},
                                           HiddenMain{"MinimisedUnderOpenbox", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A runtime folder for the test's copies, removed at the end.
struct RuntimeFolder {
    RuntimeFolder() {
        char name[] = "/tmp/velotrix-e2e-XXXXXX";
        if (mkdtemp(name)) path = name;
    }
    ~RuntimeFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

TEST(SecondStart, ASocketLeftByACrashedCopyDoesNotBlockTheNextStart) {
    XSession s(1024, 768);
    const RuntimeFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::filesystem::path& runtime = folder.path;
    const std::string env = "XDG_RUNTIME_DIR=" + runtime.string();
    ASSERT_TRUE(s.startApp(env));
    std::filesystem::path socket;
    ASSERT_TRUE(XSession::waitFor([&] {
        for (const auto& entry : std::filesystem::directory_iterator(runtime))
            if (entry.is_socket()) socket = entry.path();
        return !socket.empty();
    }));

    kill(s.appPid(), SIGKILL);
    ASSERT_TRUE(s.waitExit(std::chrono::seconds(10)));
    ASSERT_TRUE(XSession::waitFor([&] { return !s.findWindow("Velotrix"); }));
    ASSERT_TRUE(std::filesystem::exists(socket)) << "the crash left no socket to test with";

    const pid_t next = s.startOther({}, {env});
    EXPECT_TRUE(XSession::waitFor([&] { return s.findWindow("Velotrix").has_value(); },
                                  std::chrono::seconds(10)))
        << "the next start did not show its window";
    // It listens in the crashed copy's place: a start after it ends at once.
    EXPECT_EQ(s.waitOther(s.startOther({}, {env}), std::chrono::seconds(10)), 0);
    EXPECT_FALSE(s.waitOther(next, std::chrono::milliseconds(0)).has_value());
    EXPECT_EQ(countWindows(s.display(), "Velotrix"), 1);
    // Closed as usual, it takes its socket with it.
    if (const auto w = s.findWindow("Velotrix")) s.closeWindow(*w);
    EXPECT_EQ(s.waitOther(next, std::chrono::seconds(10)), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));
}

} // namespace
} // namespace vx::e2e
