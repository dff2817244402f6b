// Picture boxes without a widget of their own: their container paints them over its picture
// and passes them the mouse, until something needs a real window.
#include "host/label.h"
#include "host/picture_box.h"
#include "unit/control_harness.h"
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

constexpr OleColor kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000;

// 200 x 100 pixels of black that counts the clicks on its own surface.
class BoxForm : public Form {
  public:
    BoxForm() {
        borderStyle = vbBSNone;
        clientWidth = 3000;
        clientHeight = 1500;
        setBackColor(0x00000000);
    }
    int clicks = 0;

  protected:
    void Form_Click() override { ++clicks; }
};

class LightChildren : public ::testing::Test {
  public:
    void SetUp() override { form.Show(); }
    void TearDown() override { form.Unload(); }

    // A box as the line grids add them: at run time, then placed, coloured and shown.
    PictureBox& box(const std::string& name, int x, int y, int w, int h, OleColor colour) {
        Control& c = form.addControl("VB.PictureBox", name);
        c.setProperty("Left", x * 15.0);
        c.setProperty("Top", y * 15.0);
        c.setProperty("Width", w * 15.0);
        c.setProperty("Height", h * 15.0);
        c.setProperty("BorderStyle", 0.0);
        c.setProperty("Visible", -1.0);
        c.setProperty("BackColor", static_cast<double>(colour));
        auto& b = dynamic_cast<PictureBox&>(c);
        b.onClick = [this, name] { clicked += name + " "; };
        return b;
    }
    QWidget* surface() { return widgetOf(form.hWnd()); }
    QImage picture() { return surface()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    int childWidgets() {
        return static_cast<int>(
            surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size());
    }
    // As the window system delivers them: to the widget under the press, which keeps the
    // input until the button is up.
    void clickAt(QPointF at, QPointF releaseAt) {
        QWidget* w = surface()->childAt(at.toPoint());
        if (!w) w = surface();
        const QPointF offset = w->mapTo(surface(), QPointF(0, 0));
        QMouseEvent down(QEvent::MouseButtonPress, at - offset, w->mapToGlobal(at - offset),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, releaseAt - offset,
                       w->mapToGlobal(releaseAt - offset), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(w, &up);
    }

    BoxForm form;
    std::string clicked;
};

struct Scene {
    const char* name;
    std::function<void(LightChildren&, BoxForm&)> build;
    // What shows at a few points, 0x00BBGGRR.
    std::vector<std::pair<QPoint, OleColor>> probes;
};

void PrintTo(const Scene& s, std::ostream* os) {
    *os << s.name;
}

class Scenes : public LightChildren, public ::testing::WithParamInterface<Scene> {};

OleColor at(const QImage& img, QPoint p) {
    const QRgb c = img.pixel(p);
    return static_cast<OleColor>(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16);
}

// The container paints them as widgets of their own would be painted, and changes repaint
// exactly what they uncover.
TEST_P(Scenes, LookAsTheSameBoxesWithWidgetsWould) {
    const Scene& s = GetParam();
    s.build(*this, form);
    ASSERT_EQ(childWidgets(), 0) << "the boxes were given widgets";
    const QImage light = picture();
    for (const auto& [p, want] : s.probes)
        EXPECT_EQ(at(light, p), want) << std::hex << "at " << p.x() << "," << p.y();
    form.control("a")->hWnd();
    ASSERT_GT(childWidgets(), 0);
    EXPECT_EQ(picture(), light) << "with widgets the boxes look otherwise";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Scenes,
    ::testing::Values(
        Scene{"LaterOnTop",
              [](LightChildren& t, BoxForm&) {
                  t.box("a", 10, 10, 100, 50, kRed);
                  t.box("b", 60, 30, 100, 50, kGreen);
              },
              {{{20, 20}, kRed}, {{70, 40}, kGreen}, {{150, 70}, kGreen}, {{5, 5}, 0}}},
        Scene{"SentBehind",
              [](LightChildren& t, BoxForm&) {
                  t.box("a", 10, 10, 100, 50, kRed);
                  t.box("b", 60, 30, 100, 50, kGreen).ZOrder(1);
              },
              {{{70, 40}, kRed}, {{150, 70}, kGreen}}},
        Scene{"HiddenOneLeavesNothing",
              [](LightChildren& t, BoxForm&) {
                  t.box("a", 10, 10, 100, 50, kRed);
                  t.box("b", 60, 30, 100, 50, kGreen).setVisible(vbFalse);
              },
              {{{70, 40}, kRed}, {{150, 70}, 0}}},
        Scene{"MovedAfterAPaintUncoversTheForm",
              [](LightChildren& t, BoxForm&) {
                  PictureBox& a = t.box("a", 10, 10, 100, 50, kRed);
                  t.picture();
                  a.Move(1500, 600, 600, 600);
                  a.setBackColor(kBlue);
              },
              {{{20, 20}, 0}, {{105, 45}, kBlue}}},
        Scene{"FormDrawingStaysUnderThem",
              [](LightChildren& t, BoxForm& f) {
                  t.box("a", 0, 0, 50, 100, kRed);
                  t.box("b", 50, 0, 50, 100, kBlue);
                  f.LineBF(0, 0, 2985, 300, kGreen);
              },
              {{{10, 10}, kRed}, {{60, 10}, kBlue}, {{150, 10}, kGreen}, {{150, 30}, 0}}},
        Scene{"PartlyOffTheForm",
              [](LightChildren& t, BoxForm&) { t.box("a", 180, 90, 100, 100, kRed); },
              {{{199, 99}, kRed}, {{179, 99}, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LightChildren, ClicksReachTheBoxUnderThePressAndTheFormElsewhere) {
    box("a", 10, 10, 50, 50, kRed);
    box("b", 40, 10, 50, 50, kGreen);
    struct Case {
        QPointF press, release;
        const char* boxes;
        int formClicks;
    };
    const Case cases[] = {
        {{20, 20}, {21, 21}, "a ", 0}, {{50, 20}, {50, 20}, "b ", 0}, // b lies on top
        {{150, 80}, {151, 80}, "", 1},                                // the form's own surface
        {{20, 20}, {150, 80}, "", 0},                                 // let go elsewhere
        {{150, 80}, {20, 20}, "", 1}, // as with widgets: the form had the press
    };
    for (const Case& c : cases) {
        clicked.clear();
        form.clicks = 0;
        clickAt(c.press, c.release);
        EXPECT_EQ(clicked, c.boxes) << c.press.x() << "," << c.press.y();
        EXPECT_EQ(form.clicks, c.formClicks) << c.press.x() << "," << c.press.y();
    }
    EXPECT_EQ(childWidgets(), 0);
}

TEST_F(LightChildren, MouseEventsComeInTheBoxsOwnTwips) {
    PictureBox& b = box("b", 40, 10, 50, 50, kGreen);
    std::vector<std::pair<Single, Single>> seen;
    const auto record = [&](Integer, Integer, Single x, Single y) { seen.push_back({x, y}); };
    b.onMouseDown = b.onMouseMove = b.onMouseUp = record;
    mouse(form.hWnd(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {50, 20});
    // While the button is held the box gets the moves, also outside it.
    mouse(form.hWnd(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {150, 80});
    mouse(form.hWnd(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {150, 80});
    const std::vector<std::pair<Single, Single>> want{{150, 150}, {1650, 1050}, {1650, 1050}};
    EXPECT_EQ(seen, want);
}

TEST_F(LightChildren, ABoxWhoseHandlerUnloadsTheFormGetsNoClick) {
    PictureBox& a = box("a", 10, 10, 50, 50, kRed);
    a.onMouseUp = [this](Integer, Integer, Single, Single) { form.Unload(); };
    clickAt({20, 20}, {20, 20});
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(clicked, "");
    DoEvents();
}

struct Trigger {
    const char* name;
    std::function<void(LightChildren&, PictureBox&)> run;
};

void PrintTo(const Trigger& t, std::ostream* os) {
    *os << t.name;
}

class Triggers : public LightChildren, public ::testing::WithParamInterface<Trigger> {};

// Anything a box cannot be without a window gives every box of the form one, in the same
// stacking order, and clicks still reach the box on top.
TEST_P(Triggers, GiveEveryBoxAWidgetInItsPlace) {
    box("a", 10, 10, 50, 50, kRed);
    PictureBox& b = box("b", 40, 10, 50, 50, kGreen);
    box("c", 150, 10, 20, 20, kBlue).setVisible(vbFalse);
    ASSERT_EQ(childWidgets(), 0);
    GetParam().run(*this, b);
    EXPECT_GE(childWidgets(), 3);
    EXPECT_NE(b.hWnd(), 0);
    clickAt({50, 20}, {50, 20});
    EXPECT_EQ(clicked, "b ");
    EXPECT_EQ(form.clicks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Needs, Triggers,
    ::testing::Values(Trigger{"Handle", [](LightChildren&, PictureBox& b) { b.hWnd(); }},
                      Trigger{"Border", [](LightChildren&, PictureBox& b) { b.setBorderStyle(1); }},
                      Trigger{"ToolTip",
                              [](LightChildren&, PictureBox& b) { b.setToolTipText(u"tip"); }},
                      Trigger{"Drawing", [](LightChildren&, PictureBox& b) { b.Cls(); }},
                      Trigger{"ShownLabel",
                              [](LightChildren& t, PictureBox&) {
                                  Control& l = t.form.addControl("VB.Label", "lbl");
                                  l.Move(0, 1200, 300, 200);
                                  l.setVisible(vbTrue);
                              }},
                      Trigger{"ChildControl",
                              [](LightChildren& t, PictureBox& b) {
                                  Label l;
                                  l.create(t.form, b, "inner");
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LightChildren, AHiddenLabelLeavesTheBoxesLight) {
    box("a", 10, 10, 50, 50, kRed);
    form.addControl("VB.Label", "lbl");
    EXPECT_EQ(form.control("lbl")->Visible(), vbFalse);
    box("b", 40, 10, 50, 50, kGreen);
    EXPECT_EQ(childWidgets(), 1); // the label's
}

} // namespace
} // namespace vx::test
