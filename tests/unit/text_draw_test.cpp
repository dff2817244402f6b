#include "platform/text_draw.h"
#include "unit/scratch_dc.h"
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace vx::test {
namespace {

using namespace win;
constexpr QRgb kWhite = 0xFFFFFFFF;

struct Measured {
    const char* what;
    const char16_t* text;
    int count;
    UINT format;
    QString sameWidthAs; // the text whose advance the rectangle's width must be
    int lines;
};

TEST(DrawTextW, CalcRectMeasuresLinesPrefixesTabsAndLengths) {
    ScratchDC s(400, 200);
    const QFontMetrics fm(s.ctx().font, s.image());
    const int avg = fm.averageCharWidth();
    const Measured cases[] = {
        {"one line", u"Ab", -1, DT_SINGLELINE, "Ab", 1},
        {"CR LF breaks", u"A\r\nBc", -1, 0, "Bc", 2},
        {"lone LF and CR break", u"A\nB\rC", -1, 0, "A", 3},
        {"single line keeps one", u"A\r\nBc", -1, DT_SINGLELINE, "ABc", 1},
        {"prefix taken out", u"A&Bc", -1, 0, "ABc", 1},
        {"double prefix is one &", u"A&&B", -1, 0, "A&B", 1},
        {"no prefix", u"A&Bc", -1, DT_NOPREFIX, "A&Bc", 1},
        {"tabs not expanded", u"A\tB", -1, 0, "AB", 1},
        {"count", u"ABC", 1, 0, "A", 1},
        {"NUL ends the text", u"AB\0C", -1, 0, "AB", 1},
    };
    for (const Measured& c : cases) {
        RECT r{10, 20, 10, 20};
        const int h = DrawTextW(s.dc, c.text, c.count, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(h, c.lines * fm.height()) << c.what;
        EXPECT_EQ(r.bottom - r.top, h) << c.what;
        EXPECT_EQ(r.right - r.left, fm.horizontalAdvance(c.sameWidthAs)) << c.what;
    }
    EXPECT_EQ(s.picture().pixel(15, 25), kWhite); // measuring draws nothing

    RECT r{0, 0, 0, 0};
    DrawTextW(s.dc, u"A\tB", -1, &r, DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(r.right, 8 * avg + fm.horizontalAdvance(u'B'));
    r = RECT{0, 0, fm.horizontalAdvance("aa bb") + 2, 0};
    EXPECT_EQ(DrawTextW(s.dc, u"aa bb cc", -1, &r, DT_WORDBREAK | DT_CALCRECT), 2 * fm.height());

    // Measured again in another size, not taken from what the first size measured.
    s.ctx().font.setPixelSize(3 * fm.height());
    r = RECT{0, 0, 0, 0};
    DrawTextW(s.dc, u"Ab", -1, &r, DT_CALCRECT);
    EXPECT_EQ(r.right, QFontMetrics(s.ctx().font, s.image()).horizontalAdvance("Ab"));
}

// With DT_TABSTOP, bits 8-15 are the tab length: 8 there is not DT_NOPREFIX.
TEST(DrawTextW, TabLengthBitsSetTheTabStopsAndAreReadAsNoFlags) {
    ScratchDC tabbed(300, 60), pieces(300, 60);
    const int avg = QFontMetrics(tabbed.ctx().font, tabbed.image()).averageCharWidth();
    RECT r{0, 0, 300, 60};
    DrawTextW(tabbed.dc, u"A\t&B", -1, &r, DT_EXPANDTABS | DT_TABSTOP | (2u << 8));
    DrawTextW(pieces.dc, u"A", -1, &r, 0);
    RECT second{2 * avg, 0, 300, 60};
    DrawTextW(pieces.dc, u"&B", -1, &second, 0);
    EXPECT_EQ(tabbed.picture(), pieces.picture());

    ScratchDC eight(300, 60), plain(300, 60);
    DrawTextW(eight.dc, u"A&B", -1, &r, DT_TABSTOP | (8u << 8));
    DrawTextW(plain.dc, u"A&B", -1, &r, 0);
    EXPECT_EQ(eight.picture(), plain.picture());
}

TEST(DrawTextW, PlacesTheTextInItsRectangle) {
    struct Case {
        const char* what;
        UINT format;
        std::function<void(const Ink&, const RECT&, const QFontMetrics&)> check;
    };
    const Case cases[] = {
        {"left top", DT_LEFT,
         [](const Ink& i, const RECT& r, const QFontMetrics& fm) {
             EXPECT_LE(i.left - r.left, 3);
             EXPECT_LT(i.bottom, r.top + fm.height());
         }},
        {"right", DT_RIGHT,
         [](const Ink& i, const RECT& r, const QFontMetrics&) { EXPECT_GE(i.right, r.right - 4); }},
        {"centred both ways", DT_CENTER | DT_VCENTER | DT_SINGLELINE,
         [](const Ink& i, const RECT& r, const QFontMetrics&) {
             EXPECT_NEAR(i.left + i.right, r.left + r.right, 4);
             EXPECT_NEAR(i.top + i.bottom, r.top + r.bottom, 8);
         }},
        {"bottom", DT_BOTTOM | DT_SINGLELINE,
         [](const Ink& i, const RECT& r, const QFontMetrics& fm) {
             EXPECT_GE(i.top, r.bottom - fm.height());
             EXPECT_LT(i.bottom, r.bottom);
         }},
        {"vertical centring needs a single line", DT_VCENTER,
         [](const Ink& i, const RECT& r, const QFontMetrics& fm) {
             EXPECT_LT(i.bottom, r.top + fm.height());
         }},
    };
    for (const Case& c : cases) {
        ScratchDC s(400, 200);
        const QFontMetrics fm(s.ctx().font, s.image());
        RECT r{50, 40, 350, 160};
        DrawTextW(s.dc, u"HIH", -1, &r, c.format);
        const Ink ink = inkOf(s.picture(), kWhite);
        ASSERT_TRUE(ink.any()) << c.what;
        SCOPED_TRACE(c.what);
        c.check(ink, r, fm);
    }
}

TEST(DrawTextW, ClipsToTheRectangleUnlessNoClipEvenWithATabLengthOfOne) {
    struct Case {
        UINT format;
        bool clipped;
    };
    for (const Case c : {Case{0, true}, Case{DT_NOCLIP, false},
                         Case{DT_TABSTOP | DT_NOCLIP /* tab length 1 */, true}}) {
        ScratchDC s(400, 100);
        RECT r{20, 20, 60, 50};
        DrawTextW(s.dc, u"WWWWWWWW", -1, &r, c.format);
        const Ink ink = inkOf(s.picture(), kWhite);
        ASSERT_TRUE(ink.any());
        EXPECT_EQ(ink.right < 60, c.clipped) << c.format;
    }
}

TEST(DrawTextW, OpaqueModeFillsTheTextBoxInTheBackColour) {
    ScratchDC s(200, 100);
    s.ctx().bkMode = qt::OPAQUE_;
    s.ctx().backColor = Qt::red;
    RECT r{10, 10, 190, 90};
    DrawTextW(s.dc, u"..", -1, &r, DT_LEFT);
    EXPECT_EQ(s.picture().pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(s.picture().pixel(150, 80), kWhite);
}

// A line's shaping is kept after its first drawing; drawn the first time and again, it must
// be what Qt draws for it, pixel for pixel.
TEST(DrawTextW, ALineDrawnAgainIsWhatQtDrawsForIt) {
    struct Case {
        const char* face;
        double points;
        bool bold;
        const char16_t* text;
    };
    const Case cases[] = {
        {"Courier New", 14.25, true,
         u"T\u00F4i hy v\u1ECDng b\u1EA1n s\u1EBD kh\u00F4ng t\u00ECm th\u1EA5y g\u00EC ;))"},
        {"Courier New", 14.25, true, u"I hope that you don't find anything ;))"},
        {"Tahoma", 8.25, false, u"\u00A9 2010 L\u00EA V\u0103n Th\u1EED fi ffl AVAW"},
        {"Tahoma", 6.75, false, u"Th\u1EA4Y \u1EC4 \u0110\u1ED6"},
    };
    for (const Case& c : cases) {
        ScratchDC s(600, 60);
        s.ctx().font = hostqt::toQFont(*StdFont::make(c.face, c.points, c.bold), 1.0);
        QImage expected = s.picture();
        {
            QPainter p(&expected);
            p.setFont(s.ctx().font);
            p.setPen(Qt::black);
            const QFontMetrics fm(s.ctx().font, &expected);
            p.drawText(QPoint(3, 60 - fm.height() + fm.ascent()), QString::fromUtf16(c.text));
        }
        for (int pass = 1; pass <= 2; ++pass) {
            s.clear();
            RECT r{3, 0, 600, 60};
            DrawTextW(s.dc, c.text, -1, &r, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX | DT_NOCLIP);
            EXPECT_TRUE(s.picture() == expected) << c.face << " pass " << pass;
        }
    }
}

TEST(DrawTextW, BadArgumentsDrawNothingAndGiveZero) {
    ScratchDC s(100, 50);
    RECT r{0, 0, 100, 50};
    EXPECT_EQ(DrawTextW(0x7777, u"A", -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(s.dc, nullptr, -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(s.dc, u"A", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(s.dc, u"A", -2, &r, 0), 0);
    EXPECT_EQ(DrawTextW(s.dc, u"", -1, &r, 0), 0);
    EXPECT_FALSE(inkOf(s.picture(), kWhite).any());
}

TEST(SetTextColor, ReturnsThePreviousColourAndTextIsDrawnInTheNewOne) {
    ScratchDC s(100, 50);
    EXPECT_EQ(SetTextColor(s.dc, 0x000000FF), 0x00000000u);
    EXPECT_EQ(GetTextColor(s.dc), 0x000000FFu);
    RECT r{0, 0, 100, 50};
    DrawTextW(s.dc, u"\u2588", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(s.picture().pixel(50, 25), qRgb(255, 0, 0));
    EXPECT_EQ(SetTextColor(0x7777, 0), CLR_INVALID);
    EXPECT_EQ(GetTextColor(0x7777), CLR_INVALID);
}

} // namespace
} // namespace vx::test

namespace vx::win {
namespace {

// Stacked Vietnamese marks reach above the face's nominal ascent; top-aligned text with room
// to spare below must show them whole, as the same text drawn unclipped lower down does.
TEST(DrawTextW, TallMarksAtTheTopAreNotCutOff) {
    test::ScratchDC s(300, 100);
    RECT clipped{0, 0, 300, 40};
    DrawTextW(s.dc, u"Th\u1EA4Y \u1EC4", -1, &clipped, DT_LEFT);
    const test::Ink top = test::inkOf(s.picture(), qRgb(255, 255, 255));
    s.clear();
    RECT free{0, 50, 300, 100};
    DrawTextW(s.dc, u"Th\u1EA4Y \u1EC4", -1, &free, DT_LEFT | DT_NOCLIP);
    const test::Ink lower = test::inkOf(s.picture(), qRgb(255, 255, 255));
    ASSERT_TRUE(top.any());
    EXPECT_GE(top.top, 0);
    EXPECT_EQ(top.bottom - top.top, lower.bottom - lower.top); // nothing cut at the top
}

} // namespace
} // namespace vx::win
