// cCommonDialog's font chooser, answered by scripted dialogs (15 twips per pixel here).
#include "dialogs/c_common_dialog.h"
#include "host/screen.h"
#include "support/scripted_dialogs.h"
#include <cstring>
#include <gtest/gtest.h>
#include <ostream>

namespace vx {
namespace {

using test::ScriptedDialogsScope;

win::FontReply fontChosen(const std::string& face, int tenths, int weight, bool italic,
                          bool underline, bool strikeOut, win::COLORREF color = 0) {
    win::FontReply r;
    r.confirmed = true;
    r.font = {face, tenths, weight, italic, underline, strikeOut};
    r.color = color;
    return r;
}

TEST(CommonDialogFont, TwelvePointsIsSixteenPixelsAndOneHundredTwentyTenths) {
    ASSERT_FLOAT_EQ(Screen::TwipsPerPixelY(), 15.0f);
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 12);
    font->Italic = true;
    Long printerDC = -1, flags = 0;
    dlg.VBChooseFont(font, printerDC, -1, 0, 0, 0, flags);
    ASSERT_EQ(dialogs->fontQueries.size(), 1u);
    const win::FontQuery& q = dialogs->fontQueries[0];
    EXPECT_EQ(q.logFont.lfHeight, -16);
    EXPECT_EQ(q.pointSize, 120);
    EXPECT_EQ(q.logFont.lfWeight, 400);
    EXPECT_EQ(q.logFont.lfItalic, 0xFF);
    EXPECT_EQ(q.logFont.lfUnderline, 0);
    EXPECT_STREQ(q.logFont.lfFaceName, "Tahoma");
    // The dialog starts from the LOGFONT: 16 pixels at 96 dots per inch are 12 points.
    EXPECT_EQ(q.initial.tenths, 120);
    EXPECT_EQ(q.initial.face, "Tahoma");
    EXPECT_TRUE(q.initial.italic);
    // Screen fonts: no printer, and the flags gain 0x1 and 0x40.
    EXPECT_EQ(printerDC, 0);
    EXPECT_EQ(flags, 0x41);
    EXPECT_EQ(q.flags, 0x41u);
}

struct FontFlagsCase {
    Long printerDC, flags, color, minSize, maxSize;
    Long printerDCAfter;
    win::DWORD sent;
};
void PrintTo(const FontFlagsCase& c, std::ostream* os) {
    *os << "flags 0x" << std::hex << c.sent << " printer 0x" << c.printerDCAfter;
}

class FontFlags : public ::testing::TestWithParam<FontFlagsCase> {};

TEST_P(FontFlags, FlagsAndPrinterFollowTheArguments) {
    ScriptedDialogsScope dialogs;
    dialogs->printerDC = 0x5000;
    dialogs->printerDCs = {0x6000};
    const auto& c = GetParam();
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 10);
    Long printerDC = c.printerDC, flags = c.flags;
    dlg.VBChooseFont(font, printerDC, -1, c.color, c.minSize, c.maxSize, flags);
    ASSERT_EQ(dialogs->fontQueries.size(), 1u);
    EXPECT_EQ(dialogs->fontQueries[0].flags, c.sent);
    EXPECT_EQ(printerDC, c.printerDCAfter);
    EXPECT_EQ(flags, static_cast<Long>(c.sent)); // the caller's flags hold what was sent
}

INSTANTIATE_TEST_SUITE_P(CommonDialogFont, FontFlags,
                         ::testing::Values(FontFlagsCase{-1, 0, 0, 0, 0, 0, 0x41},
                                           FontFlagsCase{-1, 0x2, 0, 0, 0, 0x5000,
                                                         0x42}, // the system printer's fonts
                                           FontFlagsCase{0x6000, 0, 0, 0, 0, 0x6000, 0x42},
                                           FontFlagsCase{-1, 0, 0xFF, 0, 0, 0, 0x141},
                                           FontFlagsCase{-1, 0, 0, 8, 72, 0, 0x2041},
                                           FontFlagsCase{-1, 0x218 | 0x4000, 0, 0, 0, 0,
                                                         0x4041})); // hook, template, apply off

TEST(CommonDialogFont, ConfirmedFontIsWrittenIntoTheFontObject) {
    ScriptedDialogsScope dialogs;
    dialogs->onFont = [](const win::FontQuery&) {
        return fontChosen("DejaVu Sans", 145, 700, true, true, false, 0x0000FF);
    };
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 8.25);
    Long color = 0x00FF00, flags = 0;
    ASSERT_EQ(dlg.VBChooseFont(font, -1, -1, color, 0, 0, flags), vbTrue);
    // Only the name, without the NULs that fill the rest of the face field.
    EXPECT_EQ(font->Name, "DejaVu Sans");
    EXPECT_DOUBLE_EQ(font->Size, 14.5);
    EXPECT_TRUE(font->Bold);
    EXPECT_EQ(font->Weight, 700);
    EXPECT_TRUE(font->Italic);
    EXPECT_TRUE(font->Underline);
    EXPECT_FALSE(font->Strikethrough);
    EXPECT_EQ(color, 0x0000FF);
    EXPECT_EQ(flags, 0x141);
    EXPECT_EQ(dlg.APIReturn(), 1);
}

TEST(CommonDialogFont, CancelLeavesTheFontAlone) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9, true);
    const StdFont before = *font;
    EXPECT_EQ(dlg.VBChooseFont(font), vbFalse);
    EXPECT_EQ(*font, before);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialogFont, PrinterFontsWithoutAPrinterFail) {
    ScriptedDialogsScope dialogs; // no default printer
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9);
    Long printerDC = -1, flags = win::CF_PRINTERFONTS;
    EXPECT_EQ(dlg.VBChooseFont(font, printerDC, -1, 0, 0, 0, flags), vbFalse);
    EXPECT_EQ(printerDC, 0);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::CFERR_NOFONTS));
    EXPECT_EQ(dialogs->shown(), 0u);
}

TEST(CommonDialogFont, MinimumWithoutMaximumIsRefusedByTheDialog) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9);
    EXPECT_EQ(dlg.VBChooseFont(font, -1, -1, 0, 8, 0), vbFalse);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::CFERR_MAXLESSTHANMIN));
}

TEST(CommonDialogFont, LongFaceNameIsCutAtTheField) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    auto font = StdFont::make(std::string(40, 'F'), 9);
    dlg.VBChooseFont(font);
    ASSERT_EQ(dialogs->fontQueries.size(), 1u);
    const win::FontQuery& q = dialogs->fontQueries[0];
    EXPECT_EQ(std::memcmp(q.logFont.lfFaceName, std::string(32, 'F').data(), 32), 0);
    EXPECT_EQ(q.initial.face, std::string(32, 'F'));
    EXPECT_EQ(font->Name, std::string(40, 'F'));
}

TEST(CommonDialogFont, MissingFontObjectIsAnError) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    try {
        dlg.VBChooseFont(FontRef());
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 91);
    }
    EXPECT_EQ(dialogs->shown(), 0u);
}

} // namespace
} // namespace vx
