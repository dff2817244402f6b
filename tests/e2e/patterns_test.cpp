// Gradients, stripes, the screen effect and the closing animation of the real program under
// Xvfb, read back pixel for pixel from the root window.
#include "e2e/patterns_probe.h"
#include "e2e/x_session.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>
#include <utility>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

struct Run {
    unsigned colour;
    int length;
};

// The screen as runs of one colour down the rows (stacked) or across the columns; nullopt
// when a line across the runs is not of one colour.
std::optional<std::vector<Run>> runsOf(const std::vector<unsigned>& px, int w, int h,
                                       bool stacked) {
    std::vector<Run> runs;
    const int lines = stacked ? h : w, along = stacked ? w : h;
    for (int i = 0; i < lines; ++i) {
        const auto at = [&](int j) {
            return px[stacked ? static_cast<std::size_t>(i) * w + j
                              : static_cast<std::size_t>(j) * w + i];
        };
        const unsigned c = at(0);
        for (int j = 1; j < along; ++j)
            if (at(j) != c) return std::nullopt;
        if (runs.empty() || runs.back().colour != c) runs.push_back({c, 0});
        ++runs.back().length;
    }
    return runs;
}

unsigned bandColour(int i) {
    return static_cast<unsigned>(i) << 16 | static_cast<unsigned>(255 - i);
}

// Grabs the screen until it passes; the last grab either way.
std::vector<unsigned> grabUntil(XSession& s,
                                const std::function<bool(const std::vector<unsigned>&)>& ok,
                                std::chrono::milliseconds timeout = 3000ms) {
    std::vector<unsigned> px;
    XSession::waitFor([&] { return ok(px = s.grab()); }, timeout);
    return px;
}

std::size_t differing(const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n;
}

// How many pixels would have to change colour to give one picture the colour counts of the
// other, wherever they are.
std::size_t recoloured(const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
    std::map<unsigned, long> counts;
    for (unsigned p : a) ++counts[p];
    for (unsigned p : b) --counts[p];
    std::size_t n = 0;
    for (const auto& [colour, count] : counts) n += static_cast<std::size_t>(std::labs(count));
    return n / 2;
}

bool onlyColoursOf(const std::vector<unsigned>& px, const std::set<unsigned>& allowed) {
    for (unsigned p : px)
        if (!allowed.count(p)) return false;
    return true;
}

// --- gradients and stripes at scale 1 -------------------------------------------------------

struct PatternCase {
    const char* name;
    const char* first; // the two keys
    const char* second;
    bool stacked; // runs down the rows
    bool gradient;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.name;
}

class Pattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(Pattern, FillsTheWholeScreenExactly) {
    const PatternCase& c = GetParam();
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const auto complete = [&](const std::vector<unsigned>& px) {
        const auto runs = runsOf(px, s.width(), s.height(), c.stacked);
        return runs && runs->size() == (c.gradient ? 256u : (c.stacked ? 192u : 256u));
    };
    // A few milliseconds apart, as fingers press a pair: the first key alone wakes the key
    // loop, whose poll finds no row and must not spoil the pair when the second comes.
    s.keyDown(c.first);
    std::this_thread::sleep_for(std::chrono::milliseconds(8));
    s.keyDown(c.second);
    const auto px = grabUntil(s, complete);
    s.keyUp(c.first);
    s.keyUp(c.second);
    const auto runs = runsOf(px, s.width(), s.height(), c.stacked);
    ASSERT_TRUE(runs) << "a line across the pattern has more than one colour";
    const int band = c.gradient ? (c.stacked ? 3 : 4) : 4;
    ASSERT_EQ(runs->size() * band, static_cast<std::size_t>(c.stacked ? 768 : 1024));
    for (std::size_t i = 0; i < runs->size(); ++i) {
        const unsigned want =
            c.gradient ? bandColour(static_cast<int>(i)) : (i % 2 == 0 ? 0xFFFFFFu : 0x000000u);
        EXPECT_EQ((*runs)[i].colour, want) << std::hex << "run " << i;
        EXPECT_EQ((*runs)[i].length, band) << "run " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, Pattern,
                         ::testing::Values(PatternCase{"VG", "v", "g", true, true},
                                           PatternCase{"HG", "h", "g", false, true},
                                           PatternCase{"VL", "v", "l", true, false},
                                           PatternCase{"HL", "h", "l", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PatternKeys, KeyOneAfterTheStripesGivesAPlainRedScreen) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    ASSERT_TRUE(
        s.holdUntil({"h", "l"}, [&] { return s.pixel(0, 5) == 0xFFFFFF && s.pixel(4, 5) == 0; }));
    const auto allRed = [](const std::vector<unsigned>& px) {
        return std::all_of(px.begin(), px.end(), [](unsigned p) { return p == 0xFF0000; });
    };
    s.keyDown("1");
    const auto px = grabUntil(s, allRed);
    s.keyUp("1");
    EXPECT_TRUE(allRed(px)) << differing(px, std::vector<unsigned>(px.size(), 0xFF0000))
                            << " pixels are not red";
}

// A window manager takes a window in with many round trips before it maps it. A colour is on
// its monitor before that, and what ends the pattern meanwhile takes it off again.
TEST(PatternKeys, AColourCoversItsMonitorBeforeTheWindowManagerMapsIt) {
    XSession s(2048, 768, {{0, 0, 1024, 768}, {1024, 0, 1024, 768}});
    ASSERT_TRUE(s.startApp());
    // A compositing manager that is stopped puts nothing new on the screen.
    if (!s.windowManager() || s.compositing()) GTEST_SKIP() << "needs a plain window manager";
    const Rect main = s.geometry(s.mainWindow());
    const unsigned controls = s.pixel(main.x + main.width / 2, main.y + main.height / 2);
    const auto redMonitor = [&] {
        return s.pixel(0, 0) == 0xFF0000 && s.pixel(1023, 767) == 0xFF0000 &&
               s.pixel(1024, 0) != 0xFF0000;
    };
    const auto controlsShown = [&] {
        return s.pixel(main.x + main.width / 2, main.y + main.height / 2) == controls &&
               s.pixel(0, 0) != 0xFF0000;
    };
    s.pauseWindowManager(true);
    EXPECT_TRUE(s.holdUntil({"1"}, redMonitor));
    EXPECT_TRUE(s.holdUntil({"Escape"}, controlsShown));
    // A pattern of more than one colour reaches the screen with its window, not before.
    EXPECT_TRUE(s.holdUntil({"1"}, redMonitor));
    EXPECT_TRUE(s.holdUntil({"v", "g"}, controlsShown));
    s.pauseWindowManager(false);
    EXPECT_TRUE(XSession::waitFor([&] {
        return s.pixel(500, 0) == 0x0000FF && s.pixel(500, 767) == 0xFF0000 &&
               s.pixel(1024, 0) != 0x0000FF;
    }));
}

// --- a held line key ------------------------------------------------------------------------

// While V + L or H + L is held the key loop draws the grid afresh in every cycle. Each picture
// of the screen, taken as fast as the server answers, shows the screen as it was until the
// stripes come and the complete stripes from then on: never the desktop, a bare test window or
// part of the grid. The lines of one picture are read one after another, so while the stripes
// first come some may show them and others the screen before. Several holds, each from the
// control window, as a person tries a pattern again.
class HeldLines : public ::testing::TestWithParam<PatternCase> {};

TEST_P(HeldLines, ShowNothingButCompleteStripesOnceTheyAppear) {
    const PatternCase& c = GetParam();
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    std::this_thread::sleep_for(1500ms); // the key loop runs by now
    const int w = s.width(), h = s.height();
    // Three full columns across every stripe and three rows along them.
    const std::vector<Rect> lines{{0, 0, 1, h}, {w / 2, 0, 1, h}, {w - 1, 0, 1, h},
                                  {0, 0, w, 1}, {0, h / 2, w, 1}, {0, h - 1, w, 1}};
    // Until the stripes come the control window may change (its ticker moves on); the rest
    // of the screen stays as it was.
    const Rect control = s.frameGeometry(s.mainWindow());
    const auto unchanged = [&](std::size_t i, const std::vector<unsigned>& px,
                               const std::vector<unsigned>& was) {
        const Rect& r = lines[i];
        for (std::size_t j = 0; j < px.size() && j < was.size(); ++j) {
            const int x = r.x + (r.width > 1 ? static_cast<int>(j) : 0);
            const int y = r.y + (r.height > 1 ? static_cast<int>(j) : 0);
            const bool inControl = x >= control.x && x < control.x + control.width &&
                                   y >= control.y && y < control.y + control.height;
            if (px[j] != was[j] && !inControl) return false;
        }
        return px.size() == was.size();
    };
    const auto striped = [&](std::size_t i, const std::vector<unsigned>& px) {
        const Rect& r = lines[i];
        for (std::size_t j = 0; j < px.size(); ++j) {
            const int at = static_cast<int>(j);
            const int along =
                c.stacked ? r.y + (r.height > 1 ? at : 0) : r.x + (r.width > 1 ? at : 0);
            if (px[j] != ((along / 4) % 2 == 0 ? 0xFFFFFFu : 0u)) return false;
        }
        return !px.empty();
    };
    for (int hold = 1; hold <= 3; ++hold) {
        // The screen as it is once the control window is back whole.
        const auto picture = [&] {
            std::vector<std::vector<unsigned>> px;
            for (const Rect& r : lines) px.push_back(s.grab(r));
            return px;
        };
        std::vector<std::vector<unsigned>> before = picture();
        ASSERT_TRUE(XSession::waitFor([&] {
            std::this_thread::sleep_for(100ms);
            return std::exchange(before, picture()) == before;
        }));
        s.keyDown(c.first);
        s.keyDown(c.second);
        int pictures = 0, bad = 0, firstBad = -1;
        bool seen = false;
        const auto end = std::chrono::steady_clock::now() + 1500ms;
        while (std::chrono::steady_clock::now() < end) {
            ++pictures;
            bool all = true, known = true;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const auto px = s.grab(lines[i]);
                const bool ok = striped(i, px);
                all = all && ok;
                known = known && (ok || (!seen && unchanged(i, px, before[i])));
            }
            seen = seen || all;
            if (!known && bad++ == 0) firstBad = pictures;
        }
        s.keyUp(c.first);
        s.keyUp(c.second);
        EXPECT_TRUE(seen) << "hold " << hold << ": no complete stripes in " << pictures
                          << " pictures";
        EXPECT_EQ(bad, 0) << "hold " << hold << ": of " << pictures << " pictures, the first at "
                          << firstBad;
        EXPECT_GT(pictures, 100) << "hold " << hold << ": too few pictures to tell";
        s.keyDown("Escape");
        s.keyUp("Escape");
        ASSERT_TRUE(XSession::waitFor([&] { return !s.findWindow("Form1"); }));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldLines,
                         ::testing::Values(PatternCase{"VL", "v", "l", true, false},
                                           PatternCase{"HL", "h", "l", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- display scale factors ------------------------------------------------------------------

struct ScaleCase {
    const char* name;
    const char* factor;
    PatternCase pattern;
    int stripe; // device pixels per stripe
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class Scaled : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(Scaled, PatternsStayExactInDevicePixels) {
    const ScaleCase& c = GetParam();
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp(std::string("QT_SCALE_FACTOR=") + c.factor));
    const int side = c.pattern.stacked ? s.height() : s.width();
    const auto complete = [&](const std::vector<unsigned>& px) {
        const auto runs = runsOf(px, s.width(), s.height(), c.pattern.stacked);
        return runs && runs->size() >=
                           (c.pattern.gradient ? 256u : static_cast<std::size_t>(side / c.stripe));
    };
    s.keyDown(c.pattern.first);
    s.keyDown(c.pattern.second);
    const auto px = grabUntil(s, complete);
    s.keyUp(c.pattern.first);
    s.keyUp(c.pattern.second);
    const auto runs = runsOf(px, s.width(), s.height(), c.pattern.stacked);
    ASSERT_TRUE(runs) << "a line across the pattern has more than one colour";
    if (c.pattern.gradient) {
        ASSERT_EQ(runs->size(), 256u);
        int shortest = side, longest = 0;
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ((*runs)[i].colour, bandColour(i)) << std::hex << "band " << i;
            shortest = std::min(shortest, (*runs)[i].length);
            longest = std::max(longest, (*runs)[i].length);
        }
        EXPECT_LE(longest - shortest, 1);
    } else {
        ASSERT_GE(runs->size(), 2u);
        for (std::size_t i = 0; i < runs->size(); ++i) {
            EXPECT_EQ((*runs)[i].colour, i % 2 == 0 ? 0xFFFFFFu : 0x000000u) << "stripe " << i;
            // Only the last stripe may be cut by the screen's edge.
            if (i + 1 < runs->size()) {
                EXPECT_EQ((*runs)[i].length, c.stripe) << "stripe " << i;
            } else {
                EXPECT_LE((*runs)[i].length, c.stripe);
            }
        }
    }
}

const PatternCase kVG{"VG", "v", "g", true, true}, kHG{"HG", "h", "g", false, true};
const PatternCase kVL{"VL", "v", "l", true, false}, kHL{"HL", "h", "l", false, false};

INSTANTIATE_TEST_SUITE_P(
    Factors, Scaled,
    ::testing::Values(ScaleCase{"VL125", "1.25", kVL, 5}, ScaleCase{"HL125", "1.25", kHL, 5},
                      ScaleCase{"VG125", "1.25", kVG, 0}, ScaleCase{"HG125", "1.25", kHG, 0},
                      ScaleCase{"VL2", "2", kVL, 8}, ScaleCase{"HL2", "2", kHL, 8},
                      ScaleCase{"VG2", "2", kVG, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the screen effect ----------------------------------------------------------------------

class Effect : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(s.startApp());
        std::this_thread::sleep_for(1500ms); // the key loop runs by now
    }
    // Presses T until the effect window is mapped, then lets go.
    bool startEffect() {
        return s.holdUntil({"t"}, [&] { return s.findWindow("frmEff", true).has_value(); });
    }
    bool effectGone() {
        return XSession::waitFor([&] { return !s.findWindow("frmEff", true); });
    }
    XSession s{1024, 768};
};

TEST_F(Effect, ShowsTheFrozenScreenThatCrumblesUntilAClick) {
    const Rect main = s.geometry(s.mainWindow());
    const auto before = s.grab();
    const std::set<unsigned> colours(before.begin(), before.end());
    ASSERT_TRUE(startEffect());
    const auto frozen = s.grab();
    // Blocks move by one pixel at most: the picture starts as the screen was and never gains
    // a colour the screen did not have. How far it has crumbled when it is read depends on
    // timing, but its colours stay in nearly the same amounts for a good while.
    EXPECT_LT(recoloured(frozen, before), before.size() / 50);
    EXPECT_TRUE(onlyColoursOf(frozen, colours));
    const auto later = grabUntil(s, [&](const std::vector<unsigned>& px) {
        return differing(px, before) > before.size() / 50;
    });
    EXPECT_GT(differing(later, before), before.size() / 50) << "the picture does not crumble";
    EXPECT_TRUE(onlyColoursOf(later, colours));

    s.click(main.x + 20, main.y + 20);
    ASSERT_TRUE(effectGone());
    EXPECT_TRUE(s.appRunning());
    // The real screen is seen again, the main window unchanged under the effect.
    const auto after = grabUntil(s, [&](const std::vector<unsigned>& px) {
        return differing(px, before) < before.size() / 100;
    });
    EXPECT_LT(differing(after, before), before.size() / 100);
}

TEST_F(Effect, KeysDoNothingWhileItRuns) {
    ASSERT_TRUE(startEffect());
    ASSERT_TRUE(s.holdUntil(
                    {"1"}, [] { return false; }, 400ms) == false);
    EXPECT_FALSE(s.findWindow("Form1", true)) << "a key was acted on during the effect";
    s.click(512, 384);
    ASSERT_TRUE(effectGone());
}

TEST_F(Effect, BehindStripesAClickClosesTheTestWindowAndTheNextEndsTheEffect) {
    ASSERT_TRUE(
        s.holdUntil({"v", "l"}, [&] { return s.pixel(5, 0) == 0xFFFFFF && s.pixel(5, 4) == 0; }));
    ASSERT_TRUE(startEffect());
    // The test window is put back in front within a second; the stripes show uncrumbled,
    // while by then the effect's picture of them has crumbled.
    std::this_thread::sleep_for(1500ms);
    const auto striped = [&](const std::vector<unsigned>& px) {
        const auto runs = runsOf(px, s.width(), s.height(), true);
        return runs && runs->size() == 192;
    };
    ASSERT_TRUE(striped(grabUntil(s, striped)));
    s.click(300, 301);
    ASSERT_TRUE(XSession::waitFor([&] { return !s.findWindow("Form1", true); }));
    EXPECT_TRUE(s.findWindow("frmEff", true).has_value()) << "the effect ended on the first click";
    // Until the effect's window has repainted what the test window uncovered, the server may
    // still show the stripes there.
    const auto uncovered = [&](const std::vector<unsigned>& px) { return !striped(px); };
    EXPECT_TRUE(uncovered(grabUntil(s, uncovered, 500ms))) << "the crumbled stripes show";
    s.click(300, 301);
    EXPECT_TRUE(effectGone());
    EXPECT_TRUE(s.appRunning());
}

// --- the pointer over a pattern -------------------------------------------------------------

struct PointerCase {
    const char* name;
    std::vector<const char*> keys;
    const char* window;         // its title
    std::optional<unsigned> at; // the pattern's colour at (300, 297), once it shows
    bool clickCloses;           // else the click lands on a stripe
};

void PrintTo(const PointerCase& c, std::ostream* os) {
    *os << c.name;
}

class Pointer : public ::testing::TestWithParam<PointerCase> {};

TEST_P(Pointer, HidesWhileItRestsShowsOnMotionAndStillClicks) {
    const PointerCase& c = GetParam();
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    const auto shown = [&] { return s.findWindow(c.window, true).has_value(); };
    for (const char* k : c.keys) s.keyDown(k);
    const bool ready =
        XSession::waitFor([&] { return shown() && (!c.at || s.pixel(300, 297) == *c.at); }, 5s);
    for (const char* k : c.keys) s.keyUp(k);
    ASSERT_TRUE(ready);
    ASSERT_TRUE(pointerBlank(s.display()).has_value()) << "no XFixes";
    const auto blank = [&] { return pointerBlank(s.display()) == true; };

    s.moveTo(300, 300);
    EXPECT_TRUE(XSession::waitFor(blank, 5s)) << "the resting pointer still shows";
    s.moveTo(320, 310);
    EXPECT_TRUE(XSession::waitFor([&] { return !blank(); })) << "motion did not show it";
    EXPECT_TRUE(XSession::waitFor(blank, 5s)) << "it did not hide again after the motion";

    s.click(320, 310);
    if (c.clickCloses) {
        EXPECT_TRUE(XSession::waitFor([&] { return !shown(); }));
    } else {
        std::this_thread::sleep_for(500ms);
        EXPECT_TRUE(shown()) << "a click on a stripe closed the window";
    }
    EXPECT_TRUE(s.appRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Pointer,
    ::testing::Values(PointerCase{"Red", {"1"}, "Form1", 0xFF0000u, true},
                      PointerCase{"Stripes", {"v", "l"}, "Form1", 0xFFFFFFu, false},
                      PointerCase{"Effect", {"t"}, "frmEff", std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- two monitors ---------------------------------------------------------------------------

// With the control window dragged onto the right-hand of two monitors, the patterns and the
// effect cover that monitor only, stripes counted from its own edge; a pattern closes when
// its monitor is unplugged.
TEST(TwoMonitors, PatternsCoverTheMonitorUnderTheMainWindow) {
    XSession s(2560, 1024, {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}});
    ASSERT_TRUE(s.startApp());
    std::this_thread::sleep_for(1500ms); // the key loop runs by now
    const Window main = s.mainWindow();
    s.moveWindow(main, 1700, 300);
    // Some managers (xfwm4) let a client's move leave a few pixels on the monitor it left: its
    // centre, which picks the monitor, is on the right-hand one all the same.
    ASSERT_TRUE(XSession::waitFor([&] {
        const Rect f = s.frameGeometry(main);
        return f.x + f.width / 2 >= 1280;
    }));

    ASSERT_TRUE(s.holdUntil(
        {"1"}, [&] { return s.pixel(1280, 0) == 0xFF0000 && s.pixel(2559, 1023) == 0xFF0000; }));
    EXPECT_NE(s.pixel(1279, 0), 0xFF0000u);
    EXPECT_NE(s.pixel(0, 1023), 0xFF0000u);

    const auto sideBySide = [&] {
        const std::vector<unsigned> row = s.grab({0, 1023, 2560, 1});
        for (int x = 0; x < 1280; ++x)
            if (row[x] == 0xFFFFFFu) return false;
        for (int x = 1280; x < 2560; ++x)
            if (row[x] != (((x - 1280) / 4) % 2 ? 0u : 0xFFFFFFu)) return false;
        return !row.empty();
    };
    EXPECT_TRUE(s.holdUntil({"h", "l"}, sideBySide))
        << "stripes 4 pixels wide from the right-hand monitor's edge, none on the left";

    // The stripes go first: behind them a click would close them, not the effect.
    ASSERT_TRUE(s.holdUntil({"Escape"}, [&] { return !s.findWindow("Form1", true); }));
    ASSERT_TRUE(s.holdUntil({"t"}, [&] { return s.findWindow("frmEff", true).has_value(); }));
    const Rect effect = s.geometry(*s.findWindow("frmEff", true));
    EXPECT_EQ(std::vector<int>({effect.x, effect.y, effect.width, effect.height}),
              std::vector<int>({1280, 0, 1280, 1024}));
    s.click(1800, 800);
    ASSERT_TRUE(XSession::waitFor([&] { return !s.findWindow("frmEff", true); }));

    ASSERT_TRUE(s.holdUntil({"1"}, [&] { return s.pixel(2559, 1023) == 0xFF0000; }));
    s.removeMonitor(1);
    EXPECT_TRUE(XSession::waitFor([&] { return !s.findWindow("Form1", true); }))
        << "the red window outlived its monitor";
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(s.findWindow("Form1", true)) << "a test window came back by itself";
}

// Dragged onto a monitor of twice the scale, the control window doubles in pixels and keeps
// its layout, rather than showing a quarter of it.
TEST(TwoMonitors, TheControlWindowKeepsItsSizeOnAMonitorOfAnotherScale) {
    XSession s(2560, 1024, {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}});
    ASSERT_TRUE(s.startApp("QT_SCREEN_SCALE_FACTORS=M0=1;M1=2"));
    const Window main = s.mainWindow();
    const Rect before = s.geometry(main);
    s.moveWindow(main, 1300, 100);
    EXPECT_TRUE(XSession::waitFor([&] {
        const Rect r = s.geometry(main);
        return r.width == 2 * before.width && r.height == 2 * before.height;
    })) << "still "
        << s.geometry(main).width << "x" << s.geometry(main).height;
}

// --- the closing animation ------------------------------------------------------------------

TEST(Closing, TheMainWindowGrowsOnceShrinksAroundTheCentreAndTheProgramEnds) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp());
    std::this_thread::sleep_for(1500ms);
    const Window w = s.mainWindow();
    const Rect start = s.geometry(w);
    s.closeWindow(w);
    std::vector<Rect> seen;
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < end) {
        const auto g = mappedGeometry(s.display(), w);
        if (!g) {
            if (!seen.empty() || !s.appRunning()) break;
            continue;
        }
        // A step's size may show a moment before its place: the last look at it counts.
        if (seen.empty() || seen.back().width != g->width || seen.back().height != g->height)
            seen.push_back(*g);
        else
            seen.back() = *g;
    }
    // Each step stays on the screen for a frame at least, so polling sees most of them.
    ASSERT_GE(seen.size(), 10u) << "too few sizes seen while the window closed";
    // After the one enlargement (which sampling may miss) the sizes only go down.
    const auto widest = std::max_element(
        seen.begin(), seen.end(), [](const Rect& a, const Rect& b) { return a.width < b.width; });
    EXPECT_LE(widest->width, start.width + 34);
    int shrinking = 0;
    for (auto it = seen.begin(); it != seen.end(); ++it) {
        EXPECT_NEAR(it->x + it->width / 2.0, 512, 20) << "step " << it - seen.begin();
        if (it->width < start.width) ++shrinking;
        if (it > widest) {
            EXPECT_LE(it->width, (it - 1)->width) << "step " << it - seen.begin();
            EXPECT_LE(it->height, (it - 1)->height) << "step " << it - seen.begin();
        }
    }
    EXPECT_GE(shrinking, 3);
    // The height runs out first; the width-only steps still show, one pixel high.
    EXPECT_GE(std::count_if(seen.begin(), seen.end(), [](const Rect& r) { return r.height == 1; }),
              3);
    const auto code = s.waitExit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}

} // namespace
} // namespace vx::e2e
