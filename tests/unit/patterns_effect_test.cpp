// The screen effect: the captured picture, the block copies it makes, and what ends it.
#include "host/events.h"
#include "patterns/frm_eff.h"
#include "patterns/test_patterns.h"
#include "patterns_support.h"
#include "platform/gdi.h"
#include "platform/qt/device_context.h"
#include "support/app_fixture.h"
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace vx::test {
namespace {

using win::BitBltCall;

QWidget* effectWidget() {
    return widgetOf(SharedForm<frmEff>::get().hWnd());
}

class Effect : public MainWindowTest {
  protected:
    void TearDown() override {
        win::setBitBltObserver(nullptr);
        SharedForm<frmEff>::unload();
        SharedForm<frmEff>::release();
        MainWindowTest::TearDown();
    }
    // Runs the effect; step(n) is called at every BitBlt, n counting from 1.
    void run(const std::function<void(std::size_t)>& step, bool throughKeys = false) {
        win::setBitBltObserver([this, step](const BitBltCall& c) {
            calls.push_back(c);
            step(calls.size());
            // A safety net, so that a test whose ending fails does not run forever.
            if (calls.size() % 100000 == 0) postPress(effectWidget());
        });
        if (throughKeys) {
            kb->press(0x54);
            ASSERT_EQ(frmMain::matchKeyRow(), 16);
            main->runKeyRow(16);
        } else {
            SharedForm<frmEff>::get().doeffect();
        }
        win::setBitBltObserver(nullptr);
    }
    static QSize screenPixels() {
        const QScreen* s = QGuiApplication::primaryScreen();
        return s->geometry().size() * s->devicePixelRatio();
    }
    std::vector<BitBltCall> calls;
};

TEST_F(Effect, CopiesTheScreenThenMovesBlocksWithinTheirRangesUntilAPress) {
    constexpr std::size_t kBlocks = 4000;
    run([](std::size_t n) {
        if (n == kBlocks + 1) postPress(effectWidget());
    });
    ASSERT_EQ(calls.size(), kBlocks + 1) << "the press ends the effect after the current block";

    const QSize screen = screenPixels();
    const BitBltCall& snap = calls.front();
    const win::HDC window = snap.hdcDest;
    EXPECT_NE(snap.hdcSrc, window);
    EXPECT_EQ(std::make_tuple(snap.x, snap.y, snap.cx, snap.cy, snap.x1, snap.y1),
              std::make_tuple(0, 0, screen.width(), screen.height(), 0, 0));

    const int maxX = screen.width() - 128, maxY = screen.height() - 128;
    std::map<int, int> shifts;
    int lowX = maxX, highX = 0, lowY = maxY, highY = 0;
    for (std::size_t i = 1; i < calls.size(); ++i) {
        const BitBltCall& c = calls[i];
        ASSERT_EQ(c.hdcDest, window);
        ASSERT_EQ(c.hdcSrc, window);
        ASSERT_EQ(c.rop, win::SRCCOPY);
        ASSERT_EQ(c.cx, 128);
        ASSERT_EQ(c.cy, 128);
        ASSERT_TRUE(c.x1 >= 0 && c.x1 <= maxX) << c.x1;
        ASSERT_TRUE(c.y1 >= 0 && c.y1 <= maxY) << c.y1;
        ASSERT_TRUE(std::abs(c.x - c.x1) <= 1 && std::abs(c.y - c.y1) <= 1);
        ++shifts[c.x - c.x1];
        ++shifts[c.y - c.y1];
        lowX = std::min(lowX, c.x1), highX = std::max(highX, c.x1);
        lowY = std::min(lowY, c.y1), highY = std::max(highY, c.y1);
    }
    // Origins spread over the whole range; a shift is 0 about half of the time.
    EXPECT_LT(lowX, maxX / 20);
    EXPECT_GT(highX, maxX - maxX / 20);
    EXPECT_LT(lowY, maxY / 20);
    EXPECT_GT(highY, maxY - maxY / 20);
    const double all = 2.0 * kBlocks;
    EXPECT_NEAR(shifts[0] / all, 0.5, 0.05);
    EXPECT_NEAR(shifts[-1] / all, 0.25, 0.05);
    EXPECT_NEAR(shifts[1] / all, 0.25, 0.05);
}

TEST_F(Effect, EndsUnloadedReleasedAndWithTheScreenContextGiveBack) {
    const std::shared_ptr<frmEff> held = SharedForm<frmEff>::hold();
    bool screenHeld = false, visible = false;
    Integer constants[6] = {};
    run([&](std::size_t n) {
        if (n != 10) return;
        screenHeld = win::qt::dcFromHandle(held->hScreenDC) != nullptr;
        visible = held->Visible() == vbTrue;
        const Integer now[6] = {held->iJitterX, held->iJitterY, held->iShiftX,
                                held->iShiftY,  held->iBlockW,  held->iBlockH};
        std::copy(std::begin(now), std::end(now), constants);
        postPress(effectWidget());
    });
    EXPECT_TRUE(screenHeld);
    EXPECT_TRUE(visible);
    EXPECT_EQ(std::vector<Integer>(constants, constants + 6),
              (std::vector<Integer>{2, 2, 1, 1, 128, 128}));
    EXPECT_FALSE(SharedForm<frmEff>::exists());
    EXPECT_FALSE(held->IsLoaded());
    EXPECT_EQ(held->bRunning, vbFalse);
    EXPECT_EQ(win::ReleaseDC(0, held->hScreenDC), 0) << "already released";
}

TEST_F(Effect, EveryRunStartsOnAFreshInstance) {
    const std::shared_ptr<frmEff> first = SharedForm<frmEff>::hold();
    run([](std::size_t n) {
        if (n == 5) postPress(effectWidget());
    });
    frmEff& second = SharedForm<frmEff>::get();
    EXPECT_NE(&second, first.get());
    calls.clear();
    run([](std::size_t n) {
        if (n == 5) postPress(effectWidget());
    });
    EXPECT_EQ(calls.size(), 5u);
}

TEST_F(Effect, TheKeyClosesAnOpenEffectWindowFirstSoItsLoadHandlerRunsAgain) {
    frmEff& open = SharedForm<frmEff>::get();
    open.Load();
    open.iBlockW = 5; // would stay if the window were not reloaded
    run(
        [](std::size_t n) {
            if (n == 20) postPress(effectWidget());
        },
        true);
    ASSERT_EQ(calls.size(), 20u);
    EXPECT_EQ(calls.back().cx, 128);
    EXPECT_FALSE(SharedForm<frmEff>::exists());
}

TEST_F(Effect, UnloadingTheWindowFromElsewhereEndsTheEffect) {
    const std::shared_ptr<frmEff> held = SharedForm<frmEff>::hold();
    run([](std::size_t n) {
        if (n == 50) QTimer::singleShot(0, [] { SharedForm<frmEff>::unload(); });
    });
    EXPECT_EQ(calls.size(), 50u);
    EXPECT_FALSE(held->IsLoaded()) << "the window must not load again";
}

// Posted at the capture: served while the effect waits for its window to be on the screen.
TEST_F(Effect, UnloadedOrClickedWhileItComesUpItEndsBeforeItStarts) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"unloaded", [] { SharedForm<frmEff>::unload(); }},
        {"clicked", [] { postPress(effectWidget()); }},
    };
    for (const auto& [name, act] : rows) {
        SCOPED_TRACE(name);
        calls.clear();
        const std::shared_ptr<frmEff> held = SharedForm<frmEff>::hold();
        run([&](std::size_t n) {
            if (n == 1) QTimer::singleShot(0, act);
        });
        EXPECT_EQ(calls.size(), 1u) << "blocks were moved after it was told to end";
        EXPECT_FALSE(held->IsLoaded()) << "the window must not load again";
        EXPECT_FALSE(SharedForm<frmEff>::exists());
    }
}

TEST_F(Effect, AClickOnAStripeClosesTheTestWindowSoTheEffectCanBeEnded) {
    kb->press(0x56);
    kb->press(0x4C);
    main->runKeyRow(frmMain::matchKeyRow());
    kb->clear();
    ASSERT_NE(test().control("pv3"), nullptr);
    bool closedByStripe = false;
    run(
        [&](std::size_t n) {
            if (n == 20) postPress(widgetOf(test().control("pv3")->hWnd()), true);
            if (n == 40) {
                closedByStripe = !test().IsLoaded();
                postPress(effectWidget());
            }
        },
        true);
    EXPECT_TRUE(closedByStripe);
    EXPECT_EQ(calls.size(), 40u);
}

TEST_F(Effect, AClickOnASolidTestWindowClosesItAndTheEffectRunsOn) {
    main->stColor(1);
    bool closed = false;
    run([&](std::size_t n) {
        if (n == 20) postPress(widgetOf(test().hWnd()), true);
        if (n == 40) {
            closed = !test().IsLoaded();
            postPress(effectWidget());
        }
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(calls.size(), 40u);
}

// A gradient covering the screen, as the screen picture shows it.
class EffectPicture : public ::testing::Test {
  protected:
    void TearDown() override {
        win::setBitBltObserver(nullptr);
        SharedForm<frmEff>::release();
    }
};

TEST_F(EffectPicture, FreezesTheScreenAndCrumblesOnlyWhatIsShown) {
    const QScreen* s = QGuiApplication::primaryScreen();
    PlainForm cover(s->geometry().width() * 15.0, s->geometry().height() * 15.0);
    cover.Show();
    cover.Move(0, 0, cover.Width(), cover.Height());
    TestPatterns::GradientForm_0(cover, 0x00FF0000, 0x000000FF, 1);
    DoEvents();
    const QImage shown = drawnImage(cover).copy();

    QImage first, persistentLater, frameLater;
    std::size_t n = 0;
    win::setBitBltObserver([&](const BitBltCall&) {
        frmEff& eff = SharedForm<frmEff>::get();
        auto* w = hostqt::stateOf(eff).widget.data();
        if (++n == 2) first = w->image()->copy();
        if (n == 3001) {
            persistentLater = w->persistentImage().copy();
            frameLater = w->image()->copy();
            postPress(effectWidget());
        }
    });
    SharedForm<frmEff>::get().doeffect();

    ASSERT_EQ(first.size(), shown.size());
    EXPECT_EQ(first, shown) << "the window first shows the captured screen";
    EXPECT_EQ(persistentLater, shown) << "block copies leave the persistent image";
    EXPECT_NE(frameLater, shown) << "the shown picture crumbles";
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y) colours.insert(shown.pixel(0, y));
    for (int y = 0; y < frameLater.height(); ++y)
        for (int x = 0; x < frameLater.width(); ++x)
            ASSERT_TRUE(colours.count(frameLater.pixel(x, y))) << x << "," << y;
}

} // namespace
} // namespace vx::test
