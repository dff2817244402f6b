// The real program under Xvfb: the main window, solid colours from global keys, closing,
// one copy per desktop.
#include "e2e/x_session.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    // Centred with the frame a window manager puts around it.
    const Rect f = s.frameGeometry(s.mainWindow());
    EXPECT_NEAR(f.x, (w - f.width) / 2, 1);
    EXPECT_NEAR(f.y, (h - f.height) / 2, 1);
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

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(MainWindow, ItsFrameCarriesTheIconAndOffersMinimiseAndCloseOnly) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const Window w = s.mainWindow();
    // The icon: width, height, then its first pixels (as many as are read); a picture, not
    // one colour.
    const auto icon = s.property(w, "_NET_WM_ICON");
    ASSERT_GT(icon.size(), 2u);
    EXPECT_EQ(icon[0], 48u);
    EXPECT_EQ(icon[1], 48u);
    EXPECT_NE(std::count(icon.begin() + 2, icon.end(), icon[2]),
              static_cast<long>(icon.size() - 2));
    // Motif hints: flags, functions, decorations.
    enum : unsigned long { kFunctions = 1, kDecorations = 2 };
    enum : unsigned long { kResize = 2, kMinimise = 8, kMaximise = 16, kClose = 32 };
    enum : unsigned long { kSizingBorder = 4, kMinimiseBox = 32, kMaximiseBox = 64 };
    const auto motif = s.property(w, "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3u);
    EXPECT_EQ(motif[0] & (kFunctions | kDecorations), kFunctions | kDecorations);
    EXPECT_EQ(motif[1] & (kResize | kMinimise | kMaximise | kClose), kMinimise | kClose);
    EXPECT_EQ(motif[2] & (kSizingBorder | kMinimiseBox | kMaximiseBox), kMinimiseBox);
    // Size hints: flags, x, y, width, height, minimum width and height, maximum width and
    // height; the minimum is the maximum is the client area.
    enum : unsigned long { kMinSize = 16, kMaxSize = 32 };
    const auto hints = s.property(w, "WM_NORMAL_HINTS");
    ASSERT_GE(hints.size(), 9u);
    EXPECT_EQ(hints[0] & (kMinSize | kMaxSize), kMinSize | kMaxSize);
    EXPECT_EQ(std::vector<unsigned long>(hints.begin() + 5, hints.begin() + 9),
              (std::vector<unsigned long>{607, 316, 607, 316}));
    if (!s.windowManager()) return;
    const auto actions = s.atomNames(w, "_NET_WM_ALLOWED_ACTIONS");
    for (const char* a : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"})
        EXPECT_TRUE(contains(actions, a)) << a;
    for (const char* a :
         {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        EXPECT_FALSE(contains(actions, a)) << a;
}

TEST(MainWindow, StartUpMinimisesTheOtherWindowsAndComesInFrontWithTheFocus) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.focusOtherClient());
    const Window other = s.focus();
    ASSERT_TRUE(s.startApp());
    EXPECT_TRUE(s.viewable(s.mainWindow()));
    EXPECT_TRUE(XSession::waitFor([&] { return s.focus() == s.mainWindow(); }));
    // Only a window manager minimises windows on the desktop's show-desktop request.
    if (s.windowManager()) {
        constexpr unsigned long kIconic = 3;
        EXPECT_TRUE(XSession::waitFor([&] {
            const auto state = s.property(other, "WM_STATE");
            return !state.empty() && state[0] == kIconic && !s.viewable(other);
        }));
    } else {
        EXPECT_TRUE(s.viewable(other));
    }
}

// D-Bus starts a bus of its own through dbus-launch when asked for a session bus that the
// desktop does not have; one on the path notes that it was asked.
TEST(MainWindow, StartsNoMessageBusWhereTheDesktopHasNone) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("velotrix-bus-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto launcher = dir / "dbus-launch";
    {
        std::ofstream script(launcher);
        script << "#!/bin/sh\ntouch '" << (dir / "asked").string() << "'\nexit 1\n";
    }
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    const char* bus = getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string savedBus = bus ? bus : "";
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    {
        XSession s(1024, 768);
        EXPECT_TRUE(s.startApp("PATH=" + dir.string() + ":" + getenv("PATH")));
    }
    if (bus) setenv("DBUS_SESSION_BUS_ADDRESS", savedBus.c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "asked"));
    std::filesystem::remove_all(dir);
}

TEST(TestWindow, CoversAPanelAndComesBackInFrontOfAnotherWindow) {
    XSession s(1024, 768);
    constexpr int kPanel = 30;
    ASSERT_TRUE(s.mapPanel(kPanel));
    ASSERT_TRUE(s.startApp());
    const auto panelRowsRed = [&] {
        for (int x = 0; x < s.width(); x += 64)
            if (s.pixel(x, kPanel / 2) != 0xFF0000) return false;
        return true;
    };
    ASSERT_TRUE(s.holdUntil({"1"}, [&] { return wholeScreenIs(s, 0xFF0000) && panelRowsRed(); }));
    const Window other = s.mapOtherClient({300, 200, 300, 200}, 0x00FF00);
    ASSERT_TRUE(other);
    // The second time, the test window has been in front for seconds and asks nothing of the
    // manager until the stacking changes.
    for (int time = 1; time <= 2; ++time) {
        if (time == 2) std::this_thread::sleep_for(2500ms);
        s.raise(other);
        ASSERT_TRUE(XSession::waitFor([&] { return s.pixel(450, 300) == 0x00FF00; }, 2s))
            << "the other window did not come in front, time " << time;
        // The test window puts itself back in front once a second.
        EXPECT_TRUE(XSession::waitFor([&] { return wholeScreenIs(s, 0xFF0000) && panelRowsRed(); }))
            << "time " << time;
    }
    // And above the others, should the manager have been told otherwise.
    const auto test = s.findWindow("Form1", true);
    if (!s.windowManager() || !test) return;
    const auto above = [&] {
        const auto states = s.atomNames(*test, "_NET_WM_STATE");
        return std::find(states.begin(), states.end(), "_NET_WM_STATE_ABOVE") != states.end();
    };
    ASSERT_TRUE(XSession::waitFor(above)); // asked for in the same tick, granted a little later
    s.dropState(*test, "_NET_WM_STATE_ABOVE");
    ASSERT_TRUE(XSession::waitFor([&] { return !above(); }, 2s));
    EXPECT_TRUE(XSession::waitFor(above));
}

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
    // The colour may be on the screen a moment before a window manager has mapped the window.
    const auto shown = [&] { return s.findWindow("Form1").has_value(); };
    ASSERT_TRUE(s.holdUntil({"1"}, [&] { return wholeScreenIs(s, 0xFF0000); }));
    ASSERT_TRUE(XSession::waitFor(shown));
    EXPECT_TRUE(s.holdUntil({"Escape"}, [&] { return !shown(); }));

    ASSERT_TRUE(s.holdUntil({"2"}, [&] { return wholeScreenIs(s, 0x00FF00); }));
    ASSERT_TRUE(XSession::waitFor(shown));
    s.click(20, 20);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("Form1"); }));
    EXPECT_TRUE(s.appRunning());
}

// What is on the screen when the end comes.
enum class Before { Nothing, Minimised, OtherDesktop, Pattern, Effect, AboutBox, ColourDialog };
// How it comes: the window manager's close request, a signal, the X server going away.
enum class End { CloseRequest, Signal, ServerGone };

struct CloseCase {
    const char* name;
    std::chrono::milliseconds after; // from the main window's first paint
    Before before;
    End end;
    int signal; // for End::Signal
    int code;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

// Puts on the screen what the row starts from; false if it did not come.
bool bringAbout(XSession& s, Before before) {
    const Rect main = s.geometry(s.mainWindow());
    const auto clickAt = [&](int x, int y) { s.click(main.x + x, main.y + y); };
    switch (before) {
    case Before::Nothing: return true;
    case Before::Minimised:
    case Before::OtherDesktop:
        // As from a task bar or a pager: the window has nothing on the screen. A bare server
        // has neither.
        if (!s.windowManager()) return true;
        if (before == Before::Minimised)
            s.minimise(s.mainWindow());
        else
            s.switchDesktop(1);
        if (!XSession::waitFor([&] { return !s.viewable(s.mainWindow()); })) return false;
        std::this_thread::sleep_for(500ms); // the program has seen it go
        return true;
    case Before::Pattern: return s.holdUntil({"1"}, [&] { return wholeScreenIs(s, 0xFF0000); });
    case Before::Effect:
        return s.holdUntil({"t"}, [&] { return s.findWindow("frmEff").has_value(); });
    case Before::AboutBox: clickAt(300, 297); break;     // the ticker line
    case Before::ColourDialog: clickAt(591, 183); break; // the "..." button
    }
    const char* title =
        before == Before::AboutBox ? "Th\xC3\xB4ng tin v\xE1\xBB\x81 Velotrix!" : "Select Color";
    return XSession::waitFor([&] { return s.findWindow(title).has_value(); });
}

class CloseRequest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseRequest, EndsTheProgramCleanly) {
    const CloseCase& c = GetParam();
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    std::this_thread::sleep_for(c.after);
    ASSERT_TRUE(bringAbout(s, c.before));
    switch (c.end) {
    case End::CloseRequest: s.closeWindow(s.mainWindow()); break;
    case End::Signal: kill(s.appPid(), c.signal); break;
    case End::ServerGone: s.stopServer(); break;
    }
    // Nothing new comes up on the way out: the effect would after a box or a dialog.
    bool effect = false;
    XSession::waitFor(
        [&] {
            if (c.end != End::ServerGone && c.before != Before::Effect)
                effect = effect || s.findWindow("frmEff").has_value();
            return !s.appRunning();
        },
        10s);
    const auto code = s.waitExit(0ms);
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_EQ(s.killedBy(), 0);
    EXPECT_EQ(*code, c.code);
    EXPECT_FALSE(effect) << "the effect window came up";
    if (c.end == End::ServerGone) {
        const std::string errors = s.appErrors();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
}

INSTANTIATE_TEST_SUITE_P(
    When, CloseRequest,
    ::testing::Values(
        CloseCase{"BeforeTheKeyLoopStarts", 0ms, Before::Nothing, End::CloseRequest, 0, 0},
        CloseCase{"WhileTheKeyLoopRuns", 1500ms, Before::Nothing, End::CloseRequest, 0, 0},
        CloseCase{"WhileMinimised", 1500ms, Before::Minimised, End::CloseRequest, 0, 0},
        CloseCase{"OnAnotherDesktop", 1500ms, Before::OtherDesktop, End::CloseRequest, 0, 0},
        CloseCase{"WhileAPatternShows", 1500ms, Before::Pattern, End::CloseRequest, 0, 0},
        CloseCase{"WhileTheEffectRuns", 1500ms, Before::Effect, End::CloseRequest, 0, 0},
        CloseCase{"WhileTheAboutBoxIsOpen", 1500ms, Before::AboutBox, End::CloseRequest, 0, 0},
        CloseCase{"WhileTheColourDialogIsOpen", 1500ms, Before::ColourDialog, End::CloseRequest, 0,
                  0},
        CloseCase{"OnSigtermWhileAPatternShows", 1500ms, Before::Pattern, End::Signal, SIGTERM, 0},
        CloseCase{"OnSighupWhileTheEffectRuns", 1500ms, Before::Effect, End::Signal, SIGHUP, 0},
        CloseCase{"OnSigintWhileTheAboutBoxIsOpen", 1500ms, Before::AboutBox, End::Signal, SIGINT,
                  0},
        CloseCase{"WhenTheServerGoes", 1500ms, Before::Nothing, End::ServerGone, 0, 1},
        CloseCase{"WhenTheServerGoesUnderAPattern", 1500ms, Before::Pattern, End::ServerGone, 0, 1},
        CloseCase{"WhenTheServerGoesUnderTheAboutBox", 1500ms, Before::AboutBox, End::ServerGone, 0,
                  1}),
    [](const auto& info) { return std::string(info.param.name); });

// The Red swatch of the main window, clear of its name.
std::pair<int, int> redSwatch(const Rect& main) {
    return {main.x + 1140 / 15, main.y + 1365 / 15};
}

// The control window out of sight, as the user left it: minimised where a window manager
// runs, covered by another program's window where none does.
TEST(SecondStart, BringsTheRunningCopyForwardAndEnds) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const Window main = s.mainWindow();
    if (s.windowManager()) {
        s.minimise(main);
        ASSERT_TRUE(XSession::waitFor([&] { return !s.viewable(main); }));
    } else {
        ASSERT_NE(s.mapOtherClient(s.geometry(main), 0x204060), 0u);
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
        return s.viewable(main) && s.pixel(x, y) == 0xFF0000;
    })) << "the control window is not back in front";
    EXPECT_TRUE(XSession::waitFor([&] { return s.focus() == main; }));
    EXPECT_EQ(s.findWindows("Velotrix").size(), 1u);
    EXPECT_TRUE(s.appRunning());
}

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
    EXPECT_EQ(s.findWindows("Velotrix").size(), 1u);
    // Closed as usual, it takes its socket with it.
    if (const auto w = s.findWindow("Velotrix")) s.closeWindow(*w);
    EXPECT_EQ(s.waitOther(next, std::chrono::seconds(10)), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));
}

} // namespace
} // namespace vx::e2e
