// The comdlg calls on their records: sizes, bounded buffers, extended errors, the
// DEVMODE and DEVNAMES blocks, and the global memory behind them.
#include "platform/comdlg.h"
#include "platform/memory.h"
#include "support/scripted_dialogs.h"
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace vx::win {
namespace {

using namespace std::string_literals;
using test::ScriptedDialogsScope;

struct SizeCase {
    const char* call;
    DWORD size;
    std::function<BOOL(DWORD)> run; // runs the call with that lStructSize
};

COLORREF custom[16];
LOGFONTA logFont;

std::vector<SizeCase> sizeCases() {
    return {
        {"ChooseColorA", sizeofCHOOSECOLORA,
         [](DWORD size) {
             CHOOSECOLORA cc{};
             cc.lStructSize = size;
             cc.lpCustColors = custom;
             return ChooseColorA(&cc);
         }},
        {"GetOpenFileNameA", sizeofOPENFILENAMEA,
         [](DWORD size) {
             char file[16] = {};
             OPENFILENAMEA ofn{};
             ofn.lStructSize = size;
             ofn.lpstrFile = file;
             ofn.nMaxFile = sizeof file;
             return GetOpenFileNameA(&ofn);
         }},
        {"ChooseFontA", sizeofCHOOSEFONTA,
         [](DWORD size) {
             CHOOSEFONTA cf{};
             cf.lStructSize = size;
             cf.lpLogFont = &logFont;
             return ChooseFontA(&cf);
         }},
        {"PrintDlgA", sizeofPRINTDLGA,
         [](DWORD size) {
             PRINTDLGA pd{};
             pd.lStructSize = size;
             return PrintDlgA(&pd);
         }},
        {"PageSetupDlgA", sizeofPAGESETUPDLGA,
         [](DWORD size) {
             PAGESETUPDLGA ps{};
             ps.lStructSize = size;
             return PageSetupDlgA(&ps);
         }},
    };
}

TEST(ComdlgRecords, OnlyTheThirtyTwoBitSizeIsAccepted) {
    for (const SizeCase& c : sizeCases()) {
        ScriptedDialogsScope dialogs;
        for (const DWORD wrong : {DWORD{0}, c.size - 4, c.size + 4}) {
            EXPECT_EQ(c.run(wrong), FALSE_) << c.call << " " << wrong;
            EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE) << c.call;
        }
        EXPECT_EQ(dialogs->shown(), 0u) << c.call;
        // The right size reaches the dialog, which is cancelled: no extended error.
        EXPECT_EQ(c.run(c.size), FALSE_) << c.call;
        EXPECT_EQ(CommDlgExtendedError(), 0u) << c.call;
        EXPECT_EQ(dialogs->shown(), 1u) << c.call;
    }
}

TEST(ComdlgRecords, HooksTemplatesAndDeadOwnersFailBeforeTheDialog) {
    ScriptedDialogsScope dialogs;
    struct Case {
        DWORD flags;
        HWND owner;
        DWORD error;
    };
    for (const Case& c :
         {Case{CC_ENABLEHOOK, 0, CDERR_NOHOOK}, Case{CC_ENABLETEMPLATE, 0, CDERR_NOTEMPLATE},
          Case{0, 0x7FFF0000, CDERR_DIALOGFAILURE}}) {
        CHOOSECOLORA cc{};
        cc.lStructSize = sizeofCHOOSECOLORA;
        cc.lpCustColors = custom;
        cc.Flags = c.flags;
        cc.hwndOwner = c.owner;
        EXPECT_EQ(ChooseColorA(&cc), FALSE_);
        EXPECT_EQ(CommDlgExtendedError(), c.error);
    }
    EXPECT_EQ(ChooseColorA(nullptr), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    EXPECT_EQ(dialogs->shown(), 0u);
}

TEST(ComdlgRecords, ColourRecordStartsFromBlackWithoutRgbInitAndReturnsOnlyAColour) {
    ScriptedDialogsScope dialogs;
    dialogs->onColor = [](const ColorQuery& q) { return test::colorChosen(q, 0xFF123456); };
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeofCHOOSECOLORA;
    cc.lpCustColors = custom;
    cc.rgbResult = 0x00FFFFFF;
    cc.Flags = CC_SOLIDCOLOR;
    ASSERT_EQ(ChooseColorA(&cc), TRUE_);
    EXPECT_EQ(dialogs->colorQueries[0].initial, 0u);
    EXPECT_TRUE(dialogs->colorQueries[0].solidOnly);
    EXPECT_EQ(cc.rgbResult, 0x00123456u); // the top byte is not part of a colour
}

// An OPENFILENAME over a buffer with guard bytes after the capacity it declares.
struct FileRecord {
    explicit FileRecord(DWORD capacity, DWORD titleCapacity = 0)
        : file(capacity + 16, '\xAA'), title(titleCapacity + 16, '\xBB') {
        file[0] = '\0';
        ofn.lStructSize = sizeofOPENFILENAMEA;
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = capacity;
        if (titleCapacity) {
            ofn.lpstrFileTitle = title.data();
            ofn.nMaxFileTitle = titleCapacity;
        }
    }
    bool guardsIntact() const {
        return file.substr(ofn.nMaxFile) == std::string(16, '\xAA') &&
               title.substr(ofn.nMaxFileTitle ? ofn.nMaxFileTitle : title.size() - 16) ==
                   std::string(16, '\xBB');
    }
    std::string file, title;
    OPENFILENAMEA ofn{};
};

struct BufferCase {
    std::string answer;
    DWORD capacity, titleCapacity;
    BOOL result;
    DWORD error;
};
void PrintTo(const BufferCase& c, std::ostream* os) {
    *os << c.answer.size() << " bytes into " << c.capacity << " and " << c.titleCapacity;
}

class FileBuffers : public ::testing::TestWithParam<BufferCase> {};

TEST_P(FileBuffers, AnswersFitOrFailWithoutWritingPastTheBuffer) {
    ScriptedDialogsScope dialogs;
    const BufferCase& c = GetParam();
    dialogs->onFile = [&](const FileQuery&) { return test::fileChosen({c.answer}); };
    FileRecord rec(c.capacity, c.titleCapacity);
    EXPECT_EQ(GetOpenFileNameA(&rec.ofn), c.result);
    EXPECT_EQ(CommDlgExtendedError(), c.error);
    EXPECT_TRUE(rec.guardsIntact());
    if (c.result) {
        EXPECT_EQ(std::string(rec.file.c_str()), c.answer);
    } else if (c.error == FNERR_BUFFERTOOSMALL && c.capacity >= 2 &&
               c.answer.size() + 1 > c.capacity) {
        // The first two bytes tell the size needed.
        WORD needed;
        std::memcpy(&needed, rec.file.data(), 2);
        EXPECT_EQ(needed, c.answer.size() + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ComdlgRecords, FileBuffers,
    ::testing::Values(BufferCase{"/tmp/abcd", 10, 0, TRUE_, 0}, // exactly fits with its NUL
                      BufferCase{"/tmp/abcde", 10, 0, FALSE_, FNERR_BUFFERTOOSMALL},
                      BufferCase{"/" + std::string(300, 'x'), 260, 260, FALSE_,
                                 FNERR_BUFFERTOOSMALL},
                      BufferCase{"/d/title.txt", 260, 10, TRUE_, 0},
                      BufferCase{"/d/title2.txt", 260, 10, FALSE_, FNERR_BUFFERTOOSMALL},
                      BufferCase{"/x", 1, 0, FALSE_, FNERR_BUFFERTOOSMALL}));

TEST(ComdlgRecords, OffsetsExtensionAndFlagsOfTheAnswer) {
    ScriptedDialogsScope dialogs;
    dialogs->onFile = [](const FileQuery&) {
        return test::fileChosen({"/home/u/report.TXT"}, 1, true);
    };
    FileRecord rec(260, 260);
    rec.ofn.Flags = OFN_EXTENSIONDIFFERENT;
    rec.ofn.lpstrDefExt = "txt";
    ASSERT_EQ(GetOpenFileNameA(&rec.ofn), TRUE_);
    EXPECT_STREQ(rec.ofn.lpstrFileTitle, "report.TXT");
    EXPECT_EQ(rec.ofn.nFileOffset, 8);
    EXPECT_EQ(rec.ofn.nFileExtension, 15);
    EXPECT_EQ(rec.ofn.Flags, OFN_READONLY); // same extension, any case
    EXPECT_TRUE(dialogs->fileQueries[0].showReadOnly);

    dialogs->onFile = [](const FileQuery&) { return test::fileChosen({"/home/u/data.csv"}); };
    ASSERT_EQ(GetOpenFileNameA(&rec.ofn), TRUE_);
    EXPECT_EQ(rec.ofn.Flags, OFN_EXTENSIONDIFFERENT);
}

TEST(ComdlgRecords, SeveralFilesComeAsFolderAndNames) {
    ScriptedDialogsScope dialogs;
    dialogs->onFile = [](const FileQuery&) { return test::fileChosen({"/d/a.x", "/d/b.y"}); };
    FileRecord rec(260);
    rec.ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    ASSERT_EQ(GetOpenFileNameA(&rec.ofn), TRUE_);
    EXPECT_EQ(rec.file.substr(0, 12), "/d\0a.x\0b.y\0\0"s);
    EXPECT_EQ(rec.ofn.nFileOffset, 3);

    // Several files for a single-file dialog are no answer at all.
    rec.ofn.Flags = 0;
    EXPECT_EQ(GetOpenFileNameA(&rec.ofn), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_DIALOGFAILURE);
}

TEST(ComdlgRecords, InitialNameIsReadWithinTheBuffer) {
    ScriptedDialogsScope dialogs;
    FileRecord rec(8);
    std::memset(rec.file.data(), 'n', 8); // no NUL within the declared capacity
    GetSaveFileNameA(&rec.ofn);
    ASSERT_EQ(dialogs->fileQueries.size(), 1u);
    EXPECT_EQ(dialogs->fileQueries[0].initialName, "nnnnnnnn");

    std::strcpy(rec.file.data(), "\xFF\xFE");
    EXPECT_EQ(GetSaveFileNameA(&rec.ofn), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), FNERR_INVALIDFILENAME);
    EXPECT_EQ(dialogs->fileQueries.size(), 1u);
}

TEST(ComdlgRecords, FilterListIsParsedIntoPairs) {
    ScriptedDialogsScope dialogs;
    FileRecord rec(16);
    const std::string list = "Pictures\0*.png; *.JPG\0All\0*.*\0Dangling\0\0"s;
    rec.ofn.lpstrFilter = list.c_str();
    rec.ofn.nFilterIndex = 9; // beyond the list: the first pair
    GetOpenFileNameA(&rec.ofn);
    const FileQuery& q = dialogs->fileQueries.at(0);
    ASSERT_EQ(q.filters.size(), 2u);
    EXPECT_EQ(q.filters[0].description, "Pictures");
    EXPECT_EQ(q.filters[0].patterns, (std::vector<std::string>{"*.png", "*.JPG"}));
    EXPECT_EQ(q.filters[1].patterns, (std::vector<std::string>{"*"}));
    EXPECT_EQ(q.filterIndex, 1);
}

TEST(ComdlgRecords, FileTitle) {
    struct Case {
        const char* path;
        WORD size;
        SHORT result;
        const char* title;
    };
    for (const Case& c : {Case{"/a/b.txt", 260, 0, "b.txt"}, Case{"b.txt", 6, 0, "b.txt"},
                          Case{"/a/b.txt", 5, 6, nullptr}, Case{"/a/", 260, -1, nullptr},
                          Case{"", 260, -1, nullptr}, Case{"/a/?.txt", 260, -1, nullptr}}) {
        char buffer[300];
        std::memset(buffer, 'z', sizeof buffer);
        EXPECT_EQ(GetFileTitleA(c.path, buffer, c.size), c.result) << c.path;
        if (c.title)
            EXPECT_STREQ(buffer, c.title);
        else
            EXPECT_EQ(buffer[0], 'z') << c.path; // nothing written
    }
    EXPECT_LT(GetFileTitleA(nullptr, nullptr, 0), 0);
}

TEST(ComdlgRecords, FontRecordInAndOut) {
    ScriptedDialogsScope dialogs;
    dialogs->onFont = [](const FontQuery&) {
        FontReply r;
        r.confirmed = true;
        r.font = {"A face name longer than thirty-one bytes", 105, 700, true, false, false};
        r.color = 0x00112233;
        return r;
    };
    LOGFONTA lf{};
    lf.lfHeight = 20;
    std::memcpy(lf.lfFaceName, "Serif", 6);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeofCHOOSEFONTA;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    ASSERT_EQ(ChooseFontA(&cf), TRUE_);
    EXPECT_EQ(dialogs->fontQueries[0].initial.tenths, 150); // 20 pixels at 96 dpi
    EXPECT_EQ(dialogs->fontQueries[0].initial.weight, FW_NORMAL);
    EXPECT_EQ(lf.lfHeight, -14); // 10.5 points
    EXPECT_EQ(cf.iPointSize, 105);
    EXPECT_EQ(std::string(lf.lfFaceName), "A face name longer than thirty-");
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(cf.rgbColors, 0x00112233u);
    EXPECT_EQ(cf.nFontType, BOLD_FONTTYPE | ITALIC_FONTTYPE | SCREEN_FONTTYPE);

    cf.lpLogFont = nullptr;
    EXPECT_EQ(ChooseFontA(&cf), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}

TEST(ComdlgRecords, FaceNameCutInsideACharacterLosesTheCharacter) {
    ScriptedDialogsScope dialogs;
    dialogs->onFont = [](const FontQuery&) {
        FontReply r;
        r.confirmed = true;
        r.font = {std::string(30, 'a') + "\xC3\xA9", 100, 400}; // 32 bytes: é does not fit
        return r;
    };
    LOGFONTA lf{};
    std::memcpy(lf.lfFaceName, std::string(31, 'b').append("\xC3").data(), 32);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeofCHOOSEFONTA;
    cf.lpLogFont = &lf;
    cf.Flags = CF_INITTOLOGFONTSTRUCT;
    ASSERT_EQ(ChooseFontA(&cf), TRUE_);
    EXPECT_EQ(dialogs->fontQueries[0].initial.face, std::string(31, 'b'));
    EXPECT_EQ(std::string(lf.lfFaceName), std::string(30, 'a'));
    EXPECT_EQ(cf.nFontType, REGULAR_FONTTYPE | SCREEN_FONTTYPE);
}

PRINTDLGA printRecord(DWORD flags) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeofPRINTDLGA;
    pd.Flags = flags;
    pd.nFromPage = 1;
    pd.nToPage = 1;
    pd.nMinPage = 1;
    pd.nMaxPage = 10;
    pd.nCopies = 2;
    return pd;
}

TEST(ComdlgRecords, PageNumbersOutsideTheRangeFailOnlyWhenPagesAreAsked) {
    ScriptedDialogsScope dialogs;
    PRINTDLGA pd = printRecord(PD_PAGENUMS);
    pd.nToPage = 11;
    EXPECT_EQ(PrintDlgA(&pd), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), PDERR_INITFAILURE);
    EXPECT_EQ(dialogs->shown(), 0u);
    pd.Flags = 0; // shown anyway; the dialog brings the value within range
    PrintDlgA(&pd);
    EXPECT_EQ(dialogs->shown(), 1u);
}

TEST(ComdlgRecords, ReturnDefaultWantsNoBlocks) {
    ScriptedDialogsScope dialogs;
    PRINTDLGA pd = printRecord(PD_RETURNDEFAULT);
    pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
    EXPECT_EQ(PrintDlgA(&pd), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), PDERR_RETDEFFAILURE);
    EXPECT_EQ(GlobalFree(pd.hDevMode), 0);
}

PrinterSetup officePrinter() {
    PrinterSetup p;
    p.device = "Office Laser";
    p.driver = "cups";
    p.output = "office";
    p.isDefault = true;
    p.orientation = DMORIENT_LANDSCAPE;
    p.paperSize = DMPAPER_A4;
    p.paperWidth = 2100;
    p.paperLength = 2970;
    p.formName = "A4";
    p.copies = 4;
    p.collate = true;
    p.printQuality = 300;
    return p;
}

std::string devNamesText(HGLOBAL h, WORD DEVNAMES::*field) {
    const auto* p = static_cast<const char*>(GlobalLock(h));
    DEVNAMES dn;
    std::memcpy(&dn, p, sizeof dn);
    std::string s(p + dn.*field);
    GlobalUnlock(h);
    return s;
}

TEST(ComdlgRecords, PrintAnswerFillsDevModeAndDevNames) {
    ScriptedDialogsScope dialogs;
    dialogs->onPrint = [](const PrintQuery&) {
        PrintReply r;
        r.confirmed = true;
        r.range = PrintRange::Pages;
        r.fromPage = 2;
        r.toPage = 3;
        r.printer = officePrinter();
        r.dc = 0x4444;
        return r;
    };
    PRINTDLGA pd = printRecord(PD_RETURNDC | PD_COLLATE | PD_SELECTION);
    ASSERT_EQ(PrintDlgA(&pd), TRUE_);
    EXPECT_EQ(dialogs->printQueries[0].printer.copies, 2); // nCopies, without a DEVMODE
    EXPECT_TRUE(dialogs->printQueries[0].printer.collate);
    EXPECT_EQ(dialogs->printQueries[0].range, PrintRange::Selection);
    EXPECT_EQ(pd.Flags, PD_RETURNDC | PD_PAGENUMS | PD_COLLATE);
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 3);
    EXPECT_EQ(pd.nCopies, 4); // copies in the record, one copy in the DEVMODE
    EXPECT_EQ(pd.hDC, 0x4444);

    ASSERT_GE(GlobalSize(pd.hDevMode), sizeof(DEVMODEA));
    DEVMODEA dm;
    std::memcpy(&dm, GlobalLock(pd.hDevMode), sizeof dm);
    GlobalUnlock(pd.hDevMode);
    EXPECT_STREQ(dm.dmDeviceName, "Office Laser");
    EXPECT_EQ(dm.dmSize, sizeof(DEVMODEA));
    EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(dm.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(dm.dmPaperLength, 2970);
    EXPECT_EQ(dm.dmCopies, 1);
    EXPECT_EQ(dm.dmCollate, DMCOLLATE_FALSE);
    EXPECT_EQ(dm.dmPrintQuality, 300);
    EXPECT_STREQ(dm.dmFormName, "A4");
    EXPECT_TRUE(dm.dmFields & DM_PAPERSIZE);
    EXPECT_EQ(devNamesText(pd.hDevNames, &DEVNAMES::wDriverOffset), "cups");
    EXPECT_EQ(devNamesText(pd.hDevNames, &DEVNAMES::wDeviceOffset), "Office Laser");
    EXPECT_EQ(devNamesText(pd.hDevNames, &DEVNAMES::wOutputOffset), "office");

    // The blocks go back in: the next dialog starts from that printer, and they are reused
    // or replaced, never leaked twice.
    pd.Flags = PD_USEDEVMODECOPIESANDCOLLATE;
    const HGLOBAL mode = pd.hDevMode, names = pd.hDevNames;
    ASSERT_EQ(PrintDlgA(&pd), TRUE_);
    const PrintQuery& again = dialogs->printQueries[1];
    EXPECT_TRUE(again.hasPrinter);
    EXPECT_EQ(again.printer.device, "Office Laser");
    EXPECT_EQ(again.printer.orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(pd.hDevMode, mode);
    EXPECT_NE(pd.hDevNames, names);
    EXPECT_EQ(GlobalSize(names), 0u);
    std::memcpy(&dm, GlobalLock(pd.hDevMode), sizeof dm);
    GlobalUnlock(pd.hDevMode);
    EXPECT_EQ(dm.dmCopies, 4);
    EXPECT_EQ(dm.dmCollate, DMCOLLATE_TRUE);
    EXPECT_EQ(pd.nCopies, 1);
    EXPECT_EQ(GlobalFree(pd.hDevMode), 0);
    EXPECT_EQ(GlobalFree(pd.hDevNames), 0);
}

TEST(ComdlgRecords, BadPrinterBlocksAreRefused) {
    ScriptedDialogsScope dialogs;
    PRINTDLGA pd = printRecord(0);
    pd.hDevMode = GlobalAlloc(GHND, 10); // too small to be a DEVMODE
    EXPECT_EQ(PrintDlgA(&pd), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    GlobalFree(pd.hDevMode);

    pd.hDevMode = 0;
    pd.hDevNames = GlobalAlloc(GHND, 16);
    auto* dn = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    dn->wDriverOffset = 8;
    dn->wDeviceOffset = 400; // outside the block
    dn->wOutputOffset = 9;
    GlobalUnlock(pd.hDevNames);
    EXPECT_EQ(PrintDlgA(&pd), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    GlobalFree(pd.hDevNames);

    pd.hDevNames = 0x7FFFFFF0; // no such block
    EXPECT_EQ(PrintDlgA(&pd), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_MEMLOCKFAILURE);
    EXPECT_EQ(dialogs->shown(), 0u);
}

TEST(ComdlgRecords, PageSetupMarginsMustBeSound) {
    ScriptedDialogsScope dialogs;
    PAGESETUPDLGA ps{};
    ps.lStructSize = sizeofPAGESETUPDLGA;
    ps.Flags = PSD_MARGINS | PSD_MINMARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
    ps.rtMargin = {1000, 1000, 1000, 1000};
    ps.rtMinMargin = {500, 500, 1500, 500}; // right margin below its minimum
    EXPECT_EQ(PageSetupDlgA(&ps), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    ps.rtMinMargin = {0, 0, 0, 0};
    ps.rtMargin.top = -1;
    EXPECT_EQ(PageSetupDlgA(&ps), FALSE_);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    EXPECT_EQ(dialogs->shown(), 0u);

    ps.rtMargin.top = 1000;
    dialogs->onPageSetup = [](const PageSetupQuery&) {
        PageSetupReply r;
        r.confirmed = true;
        r.margins = {2000, 2500, 2000, 2500};
        r.paperSize = {21000, 29700};
        r.printer = officePrinter();
        return r;
    };
    ASSERT_EQ(PageSetupDlgA(&ps), TRUE_);
    EXPECT_FALSE(dialogs->pageSetupQueries[0].inches);
    EXPECT_EQ(ps.rtMargin.top, 2500);
    EXPECT_EQ(ps.ptPaperSize.y, 29700);
    EXPECT_NE(ps.hDevMode, 0);
    EXPECT_EQ(GlobalFree(ps.hDevMode), 0);
    EXPECT_EQ(GlobalFree(ps.hDevNames), 0);
}

TEST(ComdlgMemory, LockCountsAndRelease) {
    const HGLOBAL h = GlobalAlloc(GHND, 32);
    ASSERT_NE(h, 0);
    EXPECT_EQ(GlobalSize(h), 32u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[31], 0); // zero-filled
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_EQ(GlobalUnlock(h), TRUE_);  // still locked once
    EXPECT_EQ(GlobalFree(h), h);        // a locked block stays
    EXPECT_EQ(GlobalUnlock(h), FALSE_); // now unlocked
    EXPECT_EQ(GlobalUnlock(h), FALSE_);
    EXPECT_EQ(GlobalFree(h), 0);
    EXPECT_EQ(GlobalLock(h), nullptr); // gone, and its handle is not reused
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_NE(GlobalAlloc(GHND, 8), h);
    EXPECT_EQ(GlobalAlloc(GHND, std::size_t{1} << 40), 0);
    EXPECT_EQ(GlobalFree(0), 0);
}

TEST(ComdlgMemory, CopiesAndLengths) {
    char a[8] = "abcdefg";
    RtlMoveMemory(a + 1, a, 4); // overlapping
    EXPECT_STREQ(a, "aabcdfg");
    EXPECT_EQ(lstrlenA("four"), 4);
    EXPECT_EQ(lstrlenA(""), 0);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}

} // namespace
} // namespace vx::win
