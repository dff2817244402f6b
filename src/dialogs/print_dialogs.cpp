#include "dialogs/c_common_dialog.h"
#include "host/errors.h"
#include "host/numeric.h"
#include "platform/memory.h"
#include <algorithm>

namespace vx {
namespace {

// The part of a DEVMODE the class keeps: up to and through the display fields it reads.
constexpr std::size_t kDevModeBytes = 122;

win::WORD pageWord(Long page) {
    return static_cast<win::WORD>(toInteger(page));
}

} // namespace

void cCommonDialog::takeDevMode(win::HGLOBAL& hDevMode, win::HGLOBAL& hDevNames,
                                win::DEVMODEA& into) {
    if (const void* p = win::GlobalLock(hDevMode)) {
        win::RtlMoveMemory(&into, p, std::min(kDevModeBytes, win::GlobalSize(hDevMode)));
        win::GlobalUnlock(hDevMode);
    }
    // The class keeps no handle: the blocks the dialog allocated are released here.
    win::GlobalFree(hDevMode);
    win::GlobalFree(hDevNames);
    hDevMode = 0;
    hDevNames = 0;
}

void cCommonDialog::passToPrinter(PrinterObject* Printer, Integer copies, const win::DEVMODEA& dm) {
    if (!Printer) return;
    resumeNext({
        [&] { Printer->SetProperty(u"Copies", copies); },
        [&] { Printer->SetProperty(u"Orientation", dm.dmOrientation); },
        [&] { Printer->SetProperty(u"PaperSize", dm.dmPaperSize); },
        [&] { Printer->SetProperty(u"PrintQuality", dm.dmPrintQuality); },
    });
}

Boolean cCommonDialog::VBPrintDlg(ByRef<Long> hdc, ByRef<Long> PrintRange,
                                  ByRef<Boolean> DisablePageNumbers, ByRef<Long> FromPage,
                                  ByRef<Long> ToPage, ByRef<Boolean> DisableSelection,
                                  ByRef<Integer> Copies, ByRef<Boolean> ShowPrintToFile,
                                  ByRef<Boolean> DisablePrintToFile, ByRef<Boolean> PrintToFile,
                                  ByRef<Boolean> Collate, ByRef<Boolean> PreventWarning,
                                  ByRef<Long> Owner, PrinterObject* Printer,
                                  ByRef<Long> /*flags*/) {
    lApiReturn = 0;
    lExtendedError = 0;

    // The dialog's flags come from the other arguments alone.
    win::DWORD dialogFlags = win::PD_USEDEVMODECOPIESANDCOLLATE | win::PD_RETURNDC |
                             (*DisablePageNumbers ? win::PD_NOPAGENUMS : 0) |
                             (*DisableSelection ? win::PD_NOSELECTION : 0) |
                             (*ShowPrintToFile ? 0 : win::PD_HIDEPRINTTOFILE) |
                             (*DisablePrintToFile ? win::PD_DISABLEPRINTTOFILE : 0) |
                             (*PrintToFile ? win::PD_PRINTTOFILE : 0) |
                             (*Collate ? win::PD_COLLATE : 0) |
                             (*PreventWarning ? win::PD_NOWARNING : 0);
    if (*PrintRange == 1)
        dialogFlags |= win::PD_PAGENUMS;
    else if (*PrintRange == 2)
        dialogFlags |= win::PD_SELECTION;

    win::PRINTDLGA pd{};
    pd.lStructSize = win::sizeofPRINTDLGA;
    pd.hwndOwner = *Owner;
    pd.Flags = dialogFlags;
    pd.nFromPage = pageWord(*FromPage);
    pd.nToPage = pageWord(*ToPage);
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;

    const auto result = static_cast<Integer>(win::PrintDlgA(&pd));
    lApiReturn = result;
    if (result == 1) {
        hdc = pd.hDC;
        PrintRange = (pd.Flags & win::PD_PAGENUMS) ? 1 : (pd.Flags & win::PD_SELECTION) ? 2 : 0;
        FromPage = static_cast<Integer>(pd.nFromPage);
        ToPage = static_cast<Integer>(pd.nToPage);
        PrintToFile = toBoolean(pd.Flags & win::PD_PRINTTOFILE);
        takeDevMode(pd.hDevMode, pd.hDevNames, LastDevMode);
        Copies = LastDevMode.dmCopies;
        Collate = toBoolean(LastDevMode.dmCollate == 1);
        passToPrinter(Printer, *Copies, LastDevMode);
        return vbTrue;
    }
    noteFailure(result);
    return vbFalse;
}

Boolean cCommonDialog::VBPageSetupDlg(
    ByRef<Long> Owner, ByRef<Boolean> DisableMargins, ByRef<Boolean> DisableOrientation,
    ByRef<Boolean> DisablePaper, ByRef<Boolean> DisablePrinter, ByRef<Long> LeftMargin,
    ByRef<Long> MinLeftMargin, ByRef<Long> RightMargin, ByRef<Long> MinRightMargin,
    ByRef<Long> TopMargin, ByRef<Long> MinTopMargin, ByRef<Long> BottomMargin,
    ByRef<Long> MinBottomMargin, ByRef<Long> PaperSize, ByRef<Long> Orientation,
    ByRef<Long> PrintQuality, ByRef<Long> Units, PrinterObject* Printer, ByRef<Long> /*flags*/) {
    lApiReturn = 0;
    lExtendedError = 0;

    win::DWORD dialogFlags = win::PSD_MINMARGINS | win::PSD_MARGINS |
                             (*DisableMargins ? win::PSD_DISABLEMARGINS : 0) |
                             (*DisableOrientation ? win::PSD_DISABLEORIENTATION : 0) |
                             (*DisablePaper ? win::PSD_DISABLEPAPER : 0) |
                             (*DisablePrinter ? win::PSD_DISABLEPRINTER : 0);
    Long factor;
    if (*Units == 0) {
        dialogFlags |= win::PSD_INTHOUSANDTHSOFINCHES;
        factor = 1000;
    } else {
        dialogFlags |= win::PSD_INHUNDREDTHSOFMILLIMETERS;
        factor = 100;
    }
    const auto scaled = [factor](Long m) { return toLong(static_cast<long long>(m) * factor); };

    win::PAGESETUPDLGA ps{};
    ps.lStructSize = win::sizeofPAGESETUPDLGA;
    ps.hwndOwner = *Owner;
    ps.Flags = dialogFlags;
    ps.rtMargin = {scaled(*LeftMargin), scaled(*TopMargin), scaled(*RightMargin),
                   scaled(*BottomMargin)};
    ps.rtMinMargin = {scaled(*MinLeftMargin), scaled(*MinTopMargin), scaled(*MinRightMargin),
                      scaled(*MinBottomMargin)};

    // Tested as a 16-bit value and not kept: APIReturn and ExtendedError stay 0.
    if (static_cast<Integer>(win::PageSetupDlgA(&ps)) == 0) return vbFalse;

    const auto unscaled = [factor](win::LONG v) { return CLng(static_cast<double>(v) / factor); };
    LeftMargin = unscaled(ps.rtMargin.left);
    MinLeftMargin = unscaled(ps.rtMinMargin.left);
    RightMargin = unscaled(ps.rtMargin.right);
    MinRightMargin = unscaled(ps.rtMinMargin.right);
    TopMargin = unscaled(ps.rtMargin.top);
    MinTopMargin = unscaled(ps.rtMinMargin.top);
    BottomMargin = unscaled(ps.rtMargin.bottom);
    MinBottomMargin = unscaled(ps.rtMinMargin.bottom);
    win::DEVMODEA dm{};
    takeDevMode(ps.hDevMode, ps.hDevNames, dm);
    PaperSize = dm.dmPaperSize;
    Orientation = dm.dmOrientation;
    PrintQuality = dm.dmPrintQuality;
    passToPrinter(Printer, dm.dmCopies, dm);
    return vbTrue;
}

} // namespace vx
