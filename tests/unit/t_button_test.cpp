#include "controls/t_button.h"
#include "host/qt/qt_util.h"
#include "platform/mouse_window.h"
#include "platform/system.h"
#include "platform/theme.h"
#include "unit/control_harness.h"
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

// A button at rest on a shown form, its start-up timer tick done, without the focus; the
// states it paints are recorded as the theme draws them.
class TButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win::setThemeDrawObserver([this](const win::ThemeDrawCall& c) {
            if (c.part == win::BP_PUSHBUTTON) painted.push_back(c.state);
        });
        cursorAway();
        form.Load();
        button.create(form, "tButton1");
        button.InitNew();
        button.setCaption(u"OK");
        form.Show();
        pump(250);
        widgetOf(button.hWnd())->clearFocus();
        painted.clear();
    }
    void TearDown() override {
        win::setThemeDrawObserver(nullptr);
        win::SetThemeAppProperties(win::STAP_ALLOW_NONCLIENT | win::STAP_ALLOW_CONTROLS |
                                   win::STAP_ALLOW_WEBCONTENT);
        form.Unload();
    }
    win::HWND h() { return button.hWnd(); }
    QImage picture() { return imageOf(h()); }
    // Another button on the form; it lives as long as the form is loaded.
    tButton& add(const std::string& name) {
        auto& b = more.emplace_back(std::make_unique<tButton>());
        b->create(form, name);
        return *b;
    }

    HostForm form;
    tButton button;
    std::vector<std::unique_ptr<tButton>> more;
    std::vector<int> painted;
};

class TButtonStates;
struct StateCase {
    const char* name;
    std::function<void(TButtonStates&, win::HWND)> before;
    std::function<void(TButtonStates&, win::HWND)> action;
    std::vector<int> painted;
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << c.name;
}

class TButtonStates : public TButtonTest, public ::testing::WithParamInterface<StateCase> {
  public:
    tButton& btn() { return button; }
    std::vector<int>& log() { return painted; }
};

TEST_P(TButtonStates, EachNotificationPaintsItsState) {
    const StateCase& c = GetParam();
    if (c.before) c.before(*this, h());
    painted.clear();
    c.action(*this, h());
    EXPECT_EQ(painted, c.painted);
}

using T = TButtonStates;
const auto none = [](T&, win::HWND) {};
const auto leftDown = [](T&, win::HWND h) { press(h, Qt::LeftButton); };
const auto focused = [](T&, win::HWND h) { focus(h, true); };
const auto hovered = [](T&, win::HWND h) {
    cursorOver(h);
    move(h, Qt::NoButton);
};

INSTANTIATE_TEST_SUITE_P(Table, TButtonStates,
                         ::
                             testing::Values(StateCase{"Show",
                                                       [](T& t, win::HWND) {
                                                           t.btn().setVisible(vbFalse);
                                                       },
                                                       [](T& t, win::HWND) {
                                                           t.btn().setVisible(vbTrue);
                                                       },
                                                       {1}},
                                             StateCase{"Resize",
                                                       none,
                                                       [](T& t, win::HWND) {
                                                           t.btn().Move(0, 0, 1500, 600);
                                                       },
                                                       {1}},
                                             StateCase{"EnterFocus",
                                                       none,
                                                       [](T&, win::HWND h) { focus(h, true); },
                                                       {5}},
                                             StateCase{"EnterFocusWhileLeftIsDown",
                                                       leftDown,
                                                       [](T&, win::HWND h) { focus(h, true); },
                                                       {}},
                                             StateCase{"ExitFocus",
                                                       focused,
                                                       [](T&, win::HWND h) { focus(h, false); },
                                                       {1}},
                                             StateCase{
                                                 "LeftPress",
                                                 none,
                                                 [](T&, win::HWND h) { press(h, Qt::LeftButton); },
                                                 {3}},
                                             StateCase{
                                                 "RightPress",
                                                 none,
                                                 [](T&, win::HWND h) { press(h, Qt::RightButton); },
                                                 {}},
                                             StateCase{
                                                 "Hover",
                                                 [](T&, win::HWND h) { cursorOver(h); },
                                                 [](T&, win::HWND h) { move(h, Qt::NoButton); },
                                                 {2}},
                                             StateCase{
                                                 "MiddleDrag",
                                                 none,
                                                 [](T&, win::HWND h) { move(h, Qt::MiddleButton); },
                                                 {2}},
                                             StateCase{
                                                 "RightDrag",
                                                 none,
                                                 [](T&, win::HWND h) { move(h, Qt::RightButton); },
                                                 {}},
                                             StateCase{
                                                 "LeftDragOverTheButton",
                                                 [](T&, win::HWND h) {
                                                     press(h, Qt::LeftButton);
                                                     cursorOver(h);
                                                 },
                                                 [](T&, win::HWND h) { move(h, Qt::LeftButton); },
                                                 {3}},
                                             StateCase{"LeftDragOffTheButton",
                                                       leftDown,
                                                       [](T&, win::HWND h) {
                                                           move(h, Qt::LeftButton, {-20, 5});
                                                       },
                                                       {2}},
                                             StateCase{"ReleaseWithoutFocus",
                                                       leftDown,
                                                       [](T&, win::HWND h) {
                                                           release(h, Qt::LeftButton);
                                                       },
                                                       {1}},
                                             StateCase{"ReleaseWithFocus",
                                                       [](T&, win::HWND h) {
                                                           focus(h, true);
                                                           press(h, Qt::LeftButton);
                                                       },
                                                       [](T&, win::HWND h) {
                                                           release(h, Qt::LeftButton);
                                                       },
                                                       {5}},
                                             StateCase{
                                                 "TimerAfterTheCursorLeft",
                                                 [](T& t, win::HWND h) {
                                                     hovered(t, h);
                                                     cursorAway();
                                                 },
                                                 [](T& t, win::HWND) {
                                                     pumpUntil([&] { return !t.log().empty(); });
                                                 },
                                                 {1}},
                                             StateCase{
                                                 "TimerAfterTheCursorLeftWithFocus",
                                                 [](T& t, win::HWND h) {
                                                     focus(h, true);
                                                     hovered(t, h);
                                                     cursorAway();
                                                 },
                                                 [](T& t, win::HWND) {
                                                     pumpUntil([&] { return !t.log().empty(); });
                                                 },
                                                 {5}},
                                             StateCase{"TimerWhileTheCursorStays",
                                                       hovered,
                                                       [](T&, win::HWND) { pump(350); },
                                                       {}},
                                             StateCase{"DoubleClickAfterALeftPress",
                                                       [](T&, win::HWND h) {
                                                           press(h, Qt::LeftButton);
                                                           release(h, Qt::LeftButton);
                                                       },
                                                       [](T&, win::HWND h) {
                                                           doubleClick(h, Qt::LeftButton);
                                                       },
                                                       {3}},
                                             StateCase{"DoubleClickAfterARightPress",
                                                       [](T&, win::HWND h) {
                                                           press(h, Qt::RightButton);
                                                           release(h, Qt::RightButton);
                                                       },
                                                       [](T&, win::HWND h) {
                                                           doubleClick(h, Qt::LeftButton);
                                                       },
                                                       {}},
                                             StateCase{
                                                 "Disable",
                                                 none,
                                                 [](T& t,
                                                    win::HWND) { t.btn().setEnabled(vbFalse); },
                                                 {4}},
                                             StateCase{
                                                 "Caption",
                                                 none,
                                                 [](T& t, win::HWND) { t.btn().setCaption(u"x"); },
                                                 {1}},
                                             StateCase{
                                                 "ForeColor",
                                                 none,
                                                 [](T& t,
                                                    win::HWND) { t.btn().setForeColor(0xFF); },
                                                 {1}},
                                             StateCase{"KeysAndSpace",
                                                       focused,
                                                       [](T&, win::HWND h) {
                                                           key(h, Qt::Key_Space, " ");
                                                           key(h, Qt::Key_Return, "\r");
                                                       },
                                                       {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TButtonTest, TheFiveStatesLookDifferent) {
    std::vector<QImage> looks{picture()};
    const std::pair<int, std::function<void()>> steps[] = {
        {2, [&] { cursorOver(h()), move(h(), Qt::NoButton); }},
        {3, [&] { press(h(), Qt::LeftButton); }},
        {5,
         [&] {
             release(h(), Qt::LeftButton), press(h(), Qt::RightButton);
             release(h(), Qt::RightButton), focus(h(), true);
         }},
        {4, [&] { button.setEnabled(vbFalse); }},
    };
    for (const auto& [state, step] : steps) {
        step();
        ASSERT_FALSE(painted.empty());
        EXPECT_EQ(painted.back(), state);
        looks.push_back(picture());
    }
    for (std::size_t i = 0; i < looks.size(); ++i)
        for (std::size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_NE(looks[i], looks[j]) << i + 1 << " and " << j + 1;
}

TEST_F(TButtonTest, MouseEventsReachTheContainerBeforeThePaintAndMayChangeTheButton) {
    std::vector<std::string> seen;
    button.MouseDown = [&](Integer& b, Integer&, Single&, Single&) {
        seen.push_back("down " + std::to_string(painted.size()));
        b = 2; // by reference: the button now takes it for a right press
    };
    button.MouseUp = [&](Integer&, Integer&, Single&, Single&) {
        seen.push_back("up " + std::to_string(painted.size()));
    };
    button.Click = [&] { seen.push_back("click"); };
    button.DblClick = [&] { seen.push_back("dblclick"); };
    press(h(), Qt::LeftButton);
    EXPECT_TRUE(painted.empty());
    release(h(), Qt::LeftButton);
    doubleClick(h(), Qt::LeftButton); // the left press was cleared by the changed Button
    EXPECT_EQ(seen, (std::vector<std::string>{"down 0", "up 0", "click"}));
    EXPECT_EQ(painted, (std::vector<int>{1}));
}

TEST_F(TButtonTest, ADoubleClickTakesTheCaptureAndTheLeftReleaseGivesItBack) {
    int downs = 0;
    button.MouseDown = [&](Integer&, Integer&, Single& x, Single& y) {
        ++downs;
        EXPECT_EQ(x, downs == 2 ? 0 : 3);
        EXPECT_EQ(y, downs == 2 ? 0 : 3);
    };
    press(h(), Qt::LeftButton);
    release(h(), Qt::LeftButton);
    doubleClick(h(), Qt::LeftButton);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(win::GetCapture(), h());
    release(h(), Qt::LeftButton);
    EXPECT_EQ(win::GetCapture(), 0);
}

TEST_F(TButtonTest, WithoutAThemeTheClassicFramesAreDrawn) {
    win::SetThemeAppProperties(0);
    struct Case {
        const char* name;
        std::function<void()> act;
        QRgb topLeft, bottomRight;
    };
    const QRgb white = 0xFFFFFFFF, dark = 0xFF404040;
    const Case cases[] = {
        {"rest",
         [&] {
             button.Refresh();
             button.setCaption(u"OK");
         },
         white, dark},
        {"hover",
         [&] {
             cursorOver(h());
             move(h(), Qt::NoButton);
         },
         white, dark},
        {"pressed", [&] { press(h(), Qt::LeftButton); }, dark, white},
        {"focus",
         [&] {
             release(h(), Qt::LeftButton);
             focus(h(), true);
         },
         white, dark},
        {"disabled", [&] { button.setEnabled(vbFalse); }, white, dark},
    };
    for (const Case& c : cases) {
        c.act();
        const QImage img = picture();
        EXPECT_EQ(img.pixel(0, 0), c.topLeft) << c.name;
        EXPECT_EQ(img.pixel(img.width() - 1, img.height() - 1), c.bottomRight) << c.name;
        EXPECT_EQ(img.pixel(img.width() / 2, 3), 0xFFD4D0C8) << c.name; // button face
    }
    EXPECT_TRUE(painted.empty());
}

TEST_F(TButtonTest, ADisabledCaptionIsInTheButtonShadowColourAndComesBackWhenEnabled) {
    button.setFont(StdFont::make("Tahoma", 14));
    button.setForeColor(0x000000FF);
    button.setCaption(u"\u2588"); // a full block: its middle pixel is the text colour
    const auto middle = [&] {
        const QImage img = picture();
        return img.pixel(img.width() / 2, img.height() / 2) & 0xFFFFFF;
    };
    const win::COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
    const QRgb shadowRgb = qRgb(shadow & 0xFF, (shadow >> 8) & 0xFF, (shadow >> 16) & 0xFF);
    EXPECT_EQ(middle(), 0xFF0000u);
    painted.clear();
    button.setEnabled(vbFalse);
    EXPECT_EQ(middle(), shadowRgb & 0xFFFFFF);
    press(h(), Qt::LeftButton);
    EXPECT_EQ(painted, (std::vector<int>{4}));
    button.setEnabled(vbTrue);
    EXPECT_EQ(middle(), 0xFF0000u);
}

TEST_F(TButtonTest, ACrLfCaptionStaysOnOneCentredLine) {
    button.setFont(StdFont::make("Tahoma", 12));
    button.setCaption(u"A\r\nB");
    const QImage img = picture();
    const QRgb face = img.pixel(img.width() / 2, 2);
    int top = img.height(), bottom = -1, left = img.width(), right = -1;
    for (int y = 4; y < img.height() - 4; ++y)
        for (int x = 4; x < img.width() - 4; ++x)
            if (img.pixel(x, y) != face && qGray(img.pixel(x, y)) < 100) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    const QFontMetrics fm(hostqt::toQFont(*button.Font(), 1.0));
    ASSERT_GE(bottom, 0);
    EXPECT_LT(bottom - top, fm.height());
    EXPECT_GT(right - left, fm.horizontalAdvance(QStringLiteral("A")));
    EXPECT_NEAR((top + bottom) / 2.0, img.height() / 2.0, 3);
    EXPECT_NEAR((left + right) / 2.0, img.width() / 2.0, 3);
}

TEST_F(TButtonTest, ANewButtonHasItsSizeAndDefaultsAndWritesNoKey) {
    tButton& fresh = add("fresh");
    fresh.InitNew();
    EXPECT_EQ(fresh.Width(), 1320);
    EXPECT_EQ(fresh.Height(), 510);
    EXPECT_EQ(fresh.Caption(), u"UniButton");
    EXPECT_EQ(fresh.Font(), form.Font());
    EXPECT_EQ(fresh.hwnd(), fresh.hWnd());
    EXPECT_EQ(win::qt::classNameOf(fresh.hwnd()), "Velotrix.tButton");
    PropertyBag bag;
    fresh.WriteTo(bag);
    EXPECT_TRUE(bag.Contents().empty());
}

TEST_F(TButtonTest, EachChangedValueSurvivesWriteAndRead) {
    const auto font = StdFont::make("Courier New", 10, true);
    const std::pair<const char*, std::function<void(tButton&)>> changes[] = {
        {"ForeColor", [](tButton& b) { b.setForeColor(0x00FF00); }},
        {"Enabled", [](tButton& b) { b.setEnabled(vbFalse); }},
        {"Font", [&](tButton& b) { b.setFont(font); }},
        {"Caption", [](tButton& b) { b.setCaption(u"Ch\u1ECDn"); }},
    };
    tButton& all = add("all");
    all.InitNew();
    std::vector<std::string> keys;
    for (const auto& [key, change] : changes) {
        change(all);
        keys.push_back(key);
    }
    PropertyBag bag;
    all.WriteTo(bag);
    EXPECT_EQ(bag.keys(), keys);
    tButton& loaded = add("loaded");
    loaded.ReadFrom(bag);
    EXPECT_EQ(loaded.ForeColor(), 0x00FF00u);
    EXPECT_EQ(loaded.Enabled(), vbFalse);
    EXPECT_EQ(loaded.Font(), font);
    EXPECT_EQ(loaded.Caption(), u"Ch\u1ECDn");
}

} // namespace
} // namespace vx::test
