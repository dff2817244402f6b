#include "controls/t_label.h"
#include "host/color.h"
#include "host/errors.h"
#include "host/qt/qt_util.h"
#include "platform/text_draw.h"
#include "support/app_fixture.h"
#include "unit/control_harness.h"
#include "unit/scratch_dc.h"
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

bool rowHasInk(const QImage& img, int y, QRgb back) {
    for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) != back) return true;
    return false;
}

class TLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Load();
        form.Show();
        label = &add("tLabel1");
    }
    void TearDown() override { form.Unload(); }

    // A label on the form; it lives as long as the form is loaded.
    tLabel& bare(const std::string& name) {
        auto& l = labels.emplace_back(std::make_unique<tLabel>());
        l->create(form, name);
        return *l;
    }
    // A new label, placed, in black on white in a large monospaced face.
    tLabel& add(const std::string& name) {
        tLabel* l = &bare(name);
        l->InitNew();
        l->setBackColor(0x00FFFFFF);
        l->setForeColor(0x00000000);
        l->setFont(StdFont::make("Courier New", 14.25, true));
        l->Move(0, 0, 3000, 900);
        return *l;
    }
    QImage picture(tLabel& l) { return imageOf(l.hWnd()); }
    QImage render(tLabel& l, const String& caption, Long format) {
        l.setCaption(caption);
        l.setAlignment(format);
        return picture(l);
    }

    HostForm form;
    std::vector<std::unique_ptr<tLabel>> labels;
    tLabel* label = nullptr;
};

TEST_F(TLabelTest, ANewLabelShowsUniLabelTopLeftInTheContainerFont) {
    tLabel& fresh = bare("fresh");
    fresh.InitNew();
    pump(20);
    EXPECT_EQ(fresh.Width(), 1305);
    EXPECT_EQ(fresh.Height(), 360);
    EXPECT_EQ(fresh.Caption(), u"UniLabel");
    EXPECT_EQ(fresh.Font(), form.Font()); // the same font object
    const QImage img = imageOf(fresh.hWnd());
    EXPECT_EQ(img.size(), QSize(87, 24));
    const QRgb face = hostqt::toQColor(0x8000000F).rgb();
    const Ink ink = inkOf(img, face);
    ASSERT_TRUE(ink.any());
    EXPECT_LE(ink.left, 2);
    EXPECT_LE(ink.top, 5);
    EXPECT_EQ(img.pixel(0, img.height() - 1), face);
}

struct Change {
    const char* key;
    std::function<void(tLabel&)> set;
    std::function<bool(tLabel&)> holds;
};

TEST_F(TLabelTest, DefaultsWriteNoKeyAndEachChangedValueSurvivesWriteAndRead) {
    tLabel& plain = add("plain");
    plain.setBackColor(0x8000000F);
    plain.setForeColor(0x80000012);
    plain.setFont(form.Font());
    PropertyBag empty;
    plain.WriteTo(empty);
    EXPECT_TRUE(empty.Contents().empty());

    const auto font = StdFont::make("Tahoma", 12, true);
    const Change changes[] = {
        {"BackColor", [](tLabel& l) { l.setBackColor(0x00123456); },
         [](tLabel& l) { return l.BackColor() == 0x00123456; }},
        {"ForeColor", [](tLabel& l) { l.setForeColor(0x80000008); },
         [](tLabel& l) { return l.ForeColor() == 0x80000008; }},
        {"Enabled", [](tLabel& l) { l.setEnabled(vbFalse); },
         [](tLabel& l) { return l.Enabled() == vbFalse; }},
        {"Font", [&](tLabel& l) { l.setFont(font); }, [&](tLabel& l) { return l.Font() == font; }},
        {"BackStyle", [](tLabel& l) { l.setBackStyle(0); },
         [](tLabel& l) { return l.BackStyle() == 0; }},
        {"BorderStyle", [](tLabel& l) { l.setBorderStyle(1); },
         [](tLabel& l) { return l.BorderStyle() == 1; }},
        {"Caption", [](tLabel& l) { l.setCaption(u"T\u00F4i"); },
         [](tLabel& l) { return l.Caption() == u"T\u00F4i"; }},
        {"Alignment", [](tLabel& l) { l.setAlignment(-2); },
         [](tLabel& l) { return l.Alignment() == -2; }},
    };
    std::vector<std::string> allKeys;
    tLabel& all = add("all");
    all.setBackColor(0x8000000F);
    all.setForeColor(0x80000012);
    all.setFont(form.Font());
    int n = 0;
    for (const Change& c : changes) {
        tLabel& fresh = bare("fresh" + std::to_string(n++));
        fresh.InitNew();
        c.set(fresh);
        PropertyBag bag;
        fresh.WriteTo(bag);
        EXPECT_EQ(bag.keys(), std::vector<std::string>{c.key});
        tLabel& loaded = bare("loaded" + std::to_string(n));
        loaded.ReadFrom(bag);
        EXPECT_TRUE(c.holds(loaded)) << c.key;
        c.set(all);
        allKeys.push_back(c.key);
    }
    PropertyBag bag;
    all.WriteTo(bag);
    EXPECT_EQ(bag.keys(), allKeys);
}

TEST_F(TLabelTest, ReadingAnEmptyBagGivesTheDefaults) {
    tLabel& l = bare("l");
    PropertyBag empty;
    l.ReadFrom(empty);
    EXPECT_EQ(l.BackColor(), 0x8000000Fu);
    EXPECT_EQ(l.ForeColor(), 0x80000012u);
    EXPECT_EQ(l.Enabled(), vbTrue);
    EXPECT_EQ(l.Font(), form.Font());
    EXPECT_EQ(l.BackStyle(), 1);
    EXPECT_EQ(l.BorderStyle(), 0);
    EXPECT_EQ(l.Caption(), u"UniLabel");
    EXPECT_EQ(l.Alignment(), 0);
}

TEST_F(TLabelTest, AlignmentOutside16BitsFailsWithOverflowAndKeepsValueAndPicture) {
    struct Case {
        Long value;
        bool overflows;
    };
    for (const Case c :
         {Case{40000, true}, Case{-32769, true}, Case{32767, false}, Case{-1, false}}) {
        render(*label, u"Xin", 1);
        const QImage before = picture(*label);
        try {
            label->setAlignment(c.value);
            EXPECT_FALSE(c.overflows) << c.value;
            EXPECT_EQ(label->Alignment(), c.value);
        } catch (const VbError& e) {
            EXPECT_TRUE(c.overflows) << c.value;
            EXPECT_EQ(e.number(), errOverflow);
            EXPECT_EQ(label->Alignment(), 1);
            EXPECT_EQ(picture(*label), before);
        }
    }
}

TEST_F(TLabelTest, CaptionChangesNoPixelUntilRefreshResizeShowOrAlignment) {
    const std::pair<const char*, std::function<void(tLabel&)>> triggers[] = {
        {"Refresh", [](tLabel& l) { l.Refresh(); }},
        {"Resize", [](tLabel& l) { l.Move(0, 0, 3300, 600); }},
        {"Show",
         [](tLabel& l) {
             l.setVisible(vbFalse);
             l.setVisible(vbTrue);
         }},
        {"Alignment", [](tLabel& l) { l.setAlignment(0); }},
    };
    for (const auto& [name, trigger] : triggers) {
        label->Move(0, 0, 3000, 900);
        const QImage old = render(*label, u"One", 0);
        label->setCaption(u"Two");
        pump(30);
        EXPECT_EQ(picture(*label), old) << name;
        trigger(*label);
        tLabel& expected = add(std::string("ref") + name);
        expected.Move(0, 0, label->Width(), label->Height());
        render(expected, u"Two", 0);
        EXPECT_EQ(picture(*label), picture(expected)) << name;
    }
}

TEST_F(TLabelTest, AmpersandUnderlinesTheNextCharacterAndADoubleOneDrawsItself) {
    const QImage prefixed = render(*label, u"A&B", 0);
    const QImage plain = render(*label, u"AB", win::DT_NOPREFIX);
    EXPECT_EQ(render(*label, u"A&&B", 0), render(*label, u"A&B", win::DT_NOPREFIX));

    // The only difference is a line in the text colour under B, below the baseline.
    const QFontMetrics fm(hostqt::toQFont(*label->Font(), 1.0));
    int differing = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (prefixed.pixel(x, y) == plain.pixel(x, y)) continue;
            ++differing;
            EXPECT_GE(x, fm.horizontalAdvance(QStringLiteral("A")));
            EXPECT_LT(x, fm.horizontalAdvance(QStringLiteral("AB")));
            EXPECT_GT(y, fm.ascent());
            EXPECT_EQ(prefixed.pixel(x, y), kBlack);
        }
    EXPECT_GT(differing, 0);
}

TEST_F(TLabelTest, CrLfStartsASecondLineAndAlignmentOneCentresAtTheTop) {
    label->Move(0, 0, 3000, 1500);
    const QImage two = render(*label, u"A\r\nB", 1);
    const int lineHeight = QFontMetrics(hostqt::toQFont(*label->Font(), 1.0)).height();
    const Ink ink = inkOf(two, kWhite);
    EXPECT_LT(ink.top, lineHeight);
    EXPECT_GE(ink.bottom, lineHeight);
    EXPECT_LT(ink.bottom, 2 * lineHeight);
    bool gap = false;
    for (int y = ink.top; y <= ink.bottom; ++y) gap = gap || !rowHasInk(two, y, kWhite);
    EXPECT_TRUE(gap);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, two.width() / 2.0, 3);
}

TEST_F(TLabelTest, ATransparentLabelShowsItsContainerAroundTheText) {
    label->setForeColor(0x000000FF);
    label->setBackStyle(0);
    render(*label, u"\u2588", 1);
    const QImage shown = widgetOf(form.hWnd())->grab().toImage();
    const QPoint corner = widgetOf(label->hWnd())->geometry().bottomLeft() + QPoint(2, -2);
    EXPECT_EQ(shown.pixel(corner), kBlack); // the form's back colour, not the label's white
    const Ink ink = inkOf(shown, kBlack, widgetOf(label->hWnd())->geometry());
    ASSERT_TRUE(ink.any());
    EXPECT_EQ(shown.pixel((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2), 0xFFFF0000);
}

TEST_F(TLabelTest, EmptyCaptionLeavesTheBackgroundAndLongLinesAreCutAtTheRightEdge) {
    EXPECT_FALSE(inkOf(render(*label, u"", 0), kWhite).any());
    const QImage cut = render(*label, String(60, u'W'), 0);
    EXPECT_EQ(inkOf(cut, kWhite).right, cut.width() - 1);
}

struct Raised {
    int number;
    std::vector<double> args;
    bool operator==(const Raised&) const = default;
};

void record(tLabel& l, std::vector<Raised>& log) {
    l.Click = [&] { log.push_back({1, {}}); };
    l.DblClick = [&] { log.push_back({2, {}}); };
    l.KeyDown = [&](Integer& k, Integer& s) { log.push_back({3, {double(k), double(s)}}); };
    l.KeyPress = [&](Integer& a) { log.push_back({4, {double(a)}}); };
    l.KeyUp = [&](Integer& k, Integer& s) { log.push_back({5, {double(k), double(s)}}); };
    l.MouseDown = [&](Integer& b, Integer& s, Single& x, Single& y) {
        log.push_back({6, {double(b), double(s), x, y}});
    };
    l.MouseMove = [&](Integer& b, Integer& s, Single& x, Single& y) {
        log.push_back({7, {double(b), double(s), x, y}});
    };
    l.MouseUp = [&](Integer& b, Integer& s, Single& x, Single& y) {
        log.push_back({8, {double(b), double(s), x, y}});
    };
}

TEST_F(TLabelTest, WindowInputIsRaisedAsTheEventOfTheSameNameWithPixelPositions) {
    struct Case {
        const char* input;
        std::function<void(win::HWND)> send;
        std::vector<Raised> expected;
    };
    const Case cases[] = {
        {"left press",
         [](win::HWND h) {
             mouse(h, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 7});
         },
         {{6, {1, 0, 5, 7}}}},
        {"move",
         [](win::HWND h) {
             move(h, Qt::NoButton, {9, 2});
         },
         {{7, {0, 0, 9, 2}}}},
        {"click",
         [](win::HWND h) {
             press(h, Qt::LeftButton);
             release(h, Qt::LeftButton);
         },
         {{6, {1, 0, 3, 3}}, {8, {1, 0, 3, 3}}, {1, {}}}},
        {"double click",
         [](win::HWND h) {
             doubleClick(h, Qt::LeftButton);
             release(h, Qt::LeftButton);
         },
         {{2, {}}, {8, {1, 0, 3, 3}}}},
        {"right press", [](win::HWND h) { press(h, Qt::RightButton); }, {{6, {2, 0, 3, 3}}}},
        {"key A",
         [](win::HWND h) { key(h, Qt::Key_A, "a"); },
         {{3, {0x41, 0}}, {4, {'a'}}, {5, {0x41, 0}}}},
    };
    for (const Case& c : cases) {
        std::vector<Raised> log;
        record(*label, log);
        c.send(label->hWnd());
        EXPECT_EQ(log, c.expected) << c.input;
        release(label->hWnd(), Qt::RightButton);
    }
}

TEST_F(TLabelTest, ADisabledLabelLooksTheSameAndRaisesNoMouseEvent) {
    const QImage enabled = render(*label, u"Xin ch\u00E0o", 1);
    std::vector<Raised> log;
    record(*label, log);
    label->setEnabled(vbFalse);
    label->Refresh();
    EXPECT_EQ(picture(*label), enabled);
    press(label->hWnd(), Qt::LeftButton);
    move(label->hWnd(), Qt::LeftButton);
    release(label->hWnd(), Qt::LeftButton);
    EXPECT_TRUE(log.empty());
    label->setEnabled(vbTrue);
    press(label->hWnd(), Qt::LeftButton);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(TLabelTest, SettersReportTheirPropertyAndSavingClearsTheMark) {
    std::vector<std::string> reported;
    label->onPropertyChanged = [&](const std::string& n) { reported.push_back(n); };
    PropertyBag bag;
    label->WriteTo(bag);
    EXPECT_FALSE(label->LayoutChanged());
    label->setBackColor(1);
    label->setForeColor(2);
    label->setEnabled(vbTrue);
    label->setFont(StdFont::make("Tahoma", 9));
    label->setBackStyle(1);
    label->setBorderStyle(0);
    label->setCaption(u"x");
    label->setAlignment(2);
    EXPECT_EQ(reported,
              (std::vector<std::string>{"BackColor", "ForeColor", "Enabled", "Font", "BackStyle",
                                        "BorderStyle", "Caption", "Alignment"}));
    EXPECT_TRUE(label->LayoutChanged());
    label->WriteTo(bag);
    EXPECT_FALSE(label->LayoutChanged());
}

TEST_F(MainWindowTest, TheUnicodeControlsSitWhereTheLayoutPutsThem) {
    struct Place {
        UserControl& control;
        Single left, top, width, height;
        const char16_t* tip;
        const char* face;
        double points;
        bool bold;
    };
    const Place places[] = {
        {main->lbHEHE, 90, 4275, 8925, 375, u"About...", "Courier New", 14.25, true},
        {main->btPick, 8730, 2655, 285, 195, u"Select color...", "Tahoma", 6.75, false},
        {main->lbCop, 45, 495, 8835, 240, u"", "Courier New", 9.75, true},
        {main->tLabel12, 45, 720, 8835, 285, u"", "Courier New", 9.75, true},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.control.Name());
        EXPECT_EQ(p.control.Left(), p.left);
        EXPECT_EQ(p.control.Top(), p.top);
        EXPECT_EQ(p.control.Width(), p.width);
        EXPECT_EQ(p.control.Height(), p.height);
        EXPECT_EQ(p.control.ToolTipText(), p.tip);
        const FontRef f = &p.control == &main->btPick ? main->btPick.Font()
                                                      : static_cast<tLabel&>(p.control).Font();
        EXPECT_EQ(f->Name, p.face);
        EXPECT_EQ(f->Size, p.points);
        EXPECT_EQ(f->Bold, p.bold);
    }
    struct Colours {
        tLabel& label;
        OleColor text;
    };
    for (const Colours c : {Colours{main->lbHEHE, 0x0000FFFF}, Colours{main->lbCop, 0x00C0C0FF},
                            Colours{main->tLabel12, 0x0000FF00}}) {
        EXPECT_EQ(c.label.ForeColor(), c.text);
        EXPECT_EQ(c.label.BackColor(), 0x00000000u);
        EXPECT_EQ(c.label.Alignment(), 1);
    }
    EXPECT_EQ(main->tLabel12.Caption(), u"velotrix.example.org");
    EXPECT_EQ(main->btPick.Caption(), u"...");
    // Created before the swatch, the button lies on top of it.
    const QObjectList stack = widgetOf(main->hWnd())->children();
    EXPECT_GT(stack.indexOf(widgetOf(main->btPick.hWnd())),
              stack.indexOf(widgetOf(main->Picture9.Control::hWnd())));
}

} // namespace
} // namespace vx::test
