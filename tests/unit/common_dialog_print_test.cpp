// cCommonDialog's print and page-setup dialogs, answered by scripted dialogs.
#include "dialogs/c_common_dialog.h"
#include "platform/memory.h"
#include "support/scripted_dialogs.h"
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

namespace vx {
namespace {

using test::ScriptedDialogsScope;

Long errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}

// Records what the dialogs hand on; refuses the properties it is told to.
class RecordingPrinter : public PrinterObject {
  public:
    std::vector<std::pair<String, Integer>> set;
    std::vector<String> refuse;
    void SetProperty(const String& name, Integer value) override {
        for (const String& r : refuse)
            if (r == name) raiseError(errInvalidProperty);
        set.emplace_back(name, value);
    }
};

win::PrinterSetup samplePrinter() {
    win::PrinterSetup p;
    p.device = "Office";
    p.driver = "cups";
    p.output = "Office";
    p.orientation = 2;
    p.paperSize = 9;
    p.copies = 3;
    p.collate = true;
    p.printQuality = 600;
    return p;
}

// Every global block allocated while f runs has been released when it returns.
void expectBlocksReleased(const std::function<void()>& f) {
    const win::HGLOBAL before = win::GlobalAlloc(win::GHND, 1);
    f();
    const win::HGLOBAL after = win::GlobalAlloc(win::GHND, 1);
    EXPECT_GT(after - before, 4) << "the dialog returned no blocks";
    for (win::HGLOBAL h = before + 1; h < after; ++h) {
        if (win::GlobalLock(h)) {
            ADD_FAILURE() << "block " << h << " still allocated";
            win::GlobalUnlock(h);
        }
    }
    win::GlobalFree(before);
    win::GlobalFree(after);
}

TEST(CommonDialogPrint, DefaultsHideAndDisablePrintToFile) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    Long hdc = 0;
    dlg.VBPrintDlg(hdc);
    ASSERT_EQ(dialogs->printQueries.size(), 1u);
    const win::PrintQuery& q = dialogs->printQueries[0];
    EXPECT_EQ(q.flags, 0x1C0100u);
    EXPECT_EQ(q.fromPage, 1);
    EXPECT_EQ(q.toPage, 0xFFFF); // -1 as 16 bits
    EXPECT_EQ(q.minPage, 1);
    EXPECT_EQ(q.maxPage, 0xFFFF);
    EXPECT_EQ(q.owner, 0);
}

struct PrintFlagsCase {
    Long range;
    Boolean noPages, noSelection, showFile, disableFile, toFile, collate, noWarning;
    win::DWORD expected;
};
void PrintTo(const PrintFlagsCase& c, std::ostream* os) {
    *os << "flags 0x" << std::hex << c.expected;
}

class PrintFlags : public ::testing::TestWithParam<PrintFlagsCase> {};

TEST_P(PrintFlags, FromTheArgumentsAlone) {
    ScriptedDialogsScope dialogs;
    const auto& c = GetParam();
    cCommonDialog dlg;
    Long hdc = 0;
    dlg.VBPrintDlg(hdc, c.range, c.noPages, 1, 5, c.noSelection, Integer{0}, c.showFile,
                   c.disableFile, c.toFile, c.collate, c.noWarning, 0, nullptr, 0x1000);
    ASSERT_EQ(dialogs->printQueries.size(), 1u);
    EXPECT_EQ(dialogs->printQueries[0].flags, c.expected);
}

INSTANTIATE_TEST_SUITE_P(CommonDialogPrint, PrintFlags,
                         ::testing::Values(PrintFlagsCase{1, vbFalse, vbFalse, vbTrue, vbFalse,
                                                          vbFalse, vbFalse, vbFalse, 0x40102},
                                           PrintFlagsCase{2, vbFalse, vbFalse, vbTrue, vbFalse,
                                                          vbTrue, vbTrue, vbTrue, 0x401B1},
                                           PrintFlagsCase{3, vbTrue, vbTrue, vbFalse, vbTrue,
                                                          vbFalse, vbFalse, vbFalse, 0x1C010C}));

TEST(CommonDialogPrint, PagesOutsideSixteenBitsOverflowBeforeTheDialog) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    Long hdc = 0;
    EXPECT_EQ(errorOf([&] { dlg.VBPrintDlg(hdc, 0, vbFalse, 32768); }), errOverflow);
    EXPECT_EQ(errorOf([&] { dlg.VBPrintDlg(hdc, 0, vbFalse, 1, -32769); }), errOverflow);
    EXPECT_EQ(dialogs->shown(), 0u);
    EXPECT_EQ(errorOf([&] { dlg.VBPrintDlg(hdc, 0, vbFalse, -32768, 32767); }), 0);
}

TEST(CommonDialogPrint, ConfirmedSettingsComeBackAndReachThePrinter) {
    ScriptedDialogsScope dialogs;
    dialogs->onPrint = [](const win::PrintQuery&) {
        win::PrintReply r;
        r.confirmed = true;
        r.range = win::PrintRange::Pages;
        r.fromPage = 2;
        r.toPage = 0xFFFF;
        r.printer = samplePrinter();
        r.dc = 0x7777;
        return r;
    };
    cCommonDialog dlg;
    Long hdc = 0, range = 0, from = 1, to = 9;
    Integer copies = 0;
    Boolean toFile = vbTrue, collate = vbFalse;
    RecordingPrinter printer;
    expectBlocksReleased([&] {
        ASSERT_EQ(dlg.VBPrintDlg(hdc, range, vbFalse, from, to, vbFalse, copies, vbFalse, vbTrue,
                                 toFile, collate, vbFalse, 0, &printer),
                  vbTrue);
    });
    EXPECT_EQ(hdc, 0x7777);
    EXPECT_EQ(range, 1);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, -1); // 65535 read as 16-bit signed
    EXPECT_EQ(copies, 3);
    EXPECT_EQ(collate, vbTrue);
    EXPECT_EQ(toFile, vbFalse);
    EXPECT_EQ(dlg.APIReturn(), 1);
    const std::vector<std::pair<String, Integer>> expected = {
        {u"Copies", 3}, {u"Orientation", 2}, {u"PaperSize", 9}, {u"PrintQuality", 600}};
    EXPECT_EQ(printer.set, expected);
}

TEST(CommonDialogPrint, PrinterErrorsAreIgnoredOnePropertyAtATime) {
    ScriptedDialogsScope dialogs;
    dialogs->onPrint = [](const win::PrintQuery&) {
        win::PrintReply r;
        r.confirmed = true;
        r.range = win::PrintRange::Selection;
        r.printer = samplePrinter();
        return r;
    };
    cCommonDialog dlg;
    Long hdc = 0, range = 0;
    RecordingPrinter printer;
    printer.refuse = {u"Copies", u"PaperSize"};
    ASSERT_EQ(dlg.VBPrintDlg(hdc, range, vbFalse, 1, -1, vbFalse, Integer{0}, vbFalse, vbTrue,
                             vbFalse, vbFalse, vbFalse, 0, &printer),
              vbTrue);
    EXPECT_EQ(range, 2);
    const std::vector<std::pair<String, Integer>> expected = {{u"Orientation", 2},
                                                              {u"PrintQuality", 600}};
    EXPECT_EQ(printer.set, expected);
}

TEST(CommonDialogPrint, CancelAndFailure) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    Long hdc = 5;
    EXPECT_EQ(dlg.VBPrintDlg(hdc), vbFalse);
    EXPECT_EQ(hdc, 5);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);

    dialogs->onPrint = [](const win::PrintQuery&) {
        return test::failedWith<win::PrintReply>(win::PDERR_NODEFAULTPRN);
    };
    EXPECT_EQ(dlg.VBPrintDlg(hdc), vbFalse);
    EXPECT_EQ(dlg.ExtendedError(), static_cast<Long>(win::PDERR_NODEFAULTPRN));
}

win::PageSetupReply pageChosen(win::RECT margins) {
    win::PageSetupReply r;
    r.confirmed = true;
    r.margins = margins;
    r.paperSize = {8500, 11000};
    r.printer = samplePrinter();
    return r;
}

TEST(CommonDialogPageSetup, MarginsGoOutScaledAndComeBackRoundedHalfToEven) {
    ScriptedDialogsScope dialogs;
    // 0.6 inch, 0.5 inch, 1.5 inch and 2.5 inch.
    dialogs->onPageSetup = [](const win::PageSetupQuery&) {
        return pageChosen({600, 500, 1500, 2500});
    };
    cCommonDialog dlg;
    Long left = 1, right = 0, top = 2, bottom = 3, minLeft = 0, minRight = 0, minTop = 1,
         minBottom = 0, paper = 0, orientation = 0, quality = 0;
    RecordingPrinter printer;
    expectBlocksReleased([&] {
        ASSERT_EQ(dlg.VBPageSetupDlg(0, vbFalse, vbFalse, vbFalse, vbFalse, left, minLeft, right,
                                     minRight, top, minTop, bottom, minBottom, paper, orientation,
                                     quality, 0, &printer),
                  vbTrue);
    });
    ASSERT_EQ(dialogs->pageSetupQueries.size(), 1u);
    const win::PageSetupQuery& q = dialogs->pageSetupQueries[0];
    EXPECT_EQ(q.flags, 0x7u);
    EXPECT_EQ(q.margins.left, 1000);
    EXPECT_EQ(q.margins.top, 2000);
    EXPECT_EQ(q.margins.bottom, 3000);
    EXPECT_EQ(q.minMargins.top, 1000);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(right, 2);
    EXPECT_EQ(bottom, 2);
    EXPECT_EQ(paper, 9);
    EXPECT_EQ(orientation, 2);
    EXPECT_EQ(quality, 600);
    EXPECT_EQ(printer.set.front(), std::make_pair(String(u"Copies"), Integer{3}));
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialogPageSetup, MillimetresUseHundredths) {
    ScriptedDialogsScope dialogs;
    dialogs->onPageSetup = [](const win::PageSetupQuery&) {
        return pageChosen({1050, 1150, 2000, 0});
    };
    cCommonDialog dlg;
    Long left = 10, right = 0, top = 0, bottom = 0;
    ASSERT_EQ(dlg.VBPageSetupDlg(0, vbTrue, vbFalse, vbTrue, vbFalse, left, 0, right, 0, top, 0,
                                 bottom, 0, 1, 1, -1, 1),
              vbTrue);
    EXPECT_EQ(dialogs->pageSetupQueries[0].flags, 0x21Bu);
    EXPECT_EQ(dialogs->pageSetupQueries[0].margins.left, 1000);
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 12);
    EXPECT_EQ(right, 20);
}

TEST(CommonDialogPageSetup, ResultIsNeverStored) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    EXPECT_EQ(dlg.VBPageSetupDlg(), vbFalse);
    EXPECT_EQ(dlg.APIReturn(), 0);
    dialogs->onPageSetup = [](const win::PageSetupQuery&) {
        return test::failedWith<win::PageSetupReply>(win::PDERR_PRINTERNOTFOUND);
    };
    EXPECT_EQ(dlg.VBPageSetupDlg(), vbFalse);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST(CommonDialogPageSetup, MarginsBeyondLongOverflowBeforeTheDialog) {
    ScriptedDialogsScope dialogs;
    cCommonDialog dlg;
    EXPECT_EQ(errorOf([&] { dlg.VBPageSetupDlg(0, vbFalse, vbFalse, vbFalse, vbFalse, 2147484); }),
              errOverflow);
    EXPECT_EQ(errorOf([&] {
                  dlg.VBPageSetupDlg(0, vbFalse, vbFalse, vbFalse, vbFalse, 0, 0, 0, 0, 0, 0, 0,
                                     -21474837, 1, 1, -1, 1);
              }),
              errOverflow);
    EXPECT_EQ(dialogs->shown(), 0u);
    // 2147483 inches still fit.
    EXPECT_EQ(errorOf([&] { dlg.VBPageSetupDlg(0, vbFalse, vbFalse, vbFalse, vbFalse, 2147483); }),
              0);
}

} // namespace
} // namespace vx
