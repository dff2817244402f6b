#include "platform/comdlg_internal.h"
#include "platform/memory.h"

namespace vx::win {
namespace {
using namespace detail;

constexpr DWORD kRangeFlags = PD_SELECTION | PD_PAGENUMS | PD_CURRENTPAGE;
constexpr DWORD kPrintTemplates =
    PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE | 0x10000 | 0x20000; // and their handle forms

PrintRange rangeOf(DWORD flags) {
    if (flags & PD_PAGENUMS) return PrintRange::Pages;
    if (flags & PD_SELECTION) return PrintRange::Selection;
    if (flags & PD_CURRENTPAGE) return PrintRange::CurrentPage;
    return PrintRange::All;
}

DWORD flagOf(PrintRange r) {
    switch (r) {
    case PrintRange::Pages: return PD_PAGENUMS;
    case PrintRange::Selection: return PD_SELECTION;
    case PrintRange::CurrentPage: return PD_CURRENTPAGE;
    case PrintRange::All: break;
    }
    return PD_ALLPAGES;
}

// A page range the caller asks to show must lie within the pages there are.
bool pagesValid(const PRINTDLGA& pd) {
    if (!(pd.Flags & PD_PAGENUMS)) return true;
    return pd.nMinPage <= pd.nMaxPage && pd.nFromPage >= pd.nMinPage &&
           pd.nFromPage <= pd.nMaxPage && pd.nToPage >= pd.nMinPage && pd.nToPage <= pd.nMaxPage;
}

} // namespace

BOOL PrintDlgA(PRINTDLGA* lppd) {
    if (!lppd) return fail(CDERR_INITIALIZATION);
    PRINTDLGA& pd = *lppd;
    if (pd.lStructSize != sizeofPRINTDLGA) return fail(CDERR_STRUCTSIZE);
    if (const DWORD e =
            checkCommon(pd.hwndOwner, pd.Flags & (PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK),
                        pd.Flags & kPrintTemplates))
        return fail(e);
    if ((pd.Flags & PD_RETURNDEFAULT) && (pd.hDevMode || pd.hDevNames))
        return fail(PDERR_RETDEFFAILURE);
    if (!pagesValid(pd)) return fail(PDERR_INITFAILURE);

    PrintQuery q;
    q.flags = pd.Flags;
    if (const DWORD e = readPrinterSetup(pd.hDevMode, pd.hDevNames, q.printer, q.hasPrinter))
        return fail(e);
    const bool copiesInDevMode = pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE;
    if (!pd.hDevMode || !copiesInDevMode) {
        q.printer.copies = static_cast<SHORT>(pd.nCopies ? pd.nCopies : 1);
        q.printer.collate = pd.Flags & PD_COLLATE;
    }
    q.owner = pd.hwndOwner;
    q.setupOnly = pd.Flags & PD_PRINTSETUP;
    q.returnDefault = pd.Flags & PD_RETURNDEFAULT;
    q.returnDC = (pd.Flags & (PD_RETURNDC | PD_RETURNIC)) != 0;
    q.warnWithoutPrinter = !(pd.Flags & PD_NOWARNING);
    q.range = rangeOf(pd.Flags);
    q.allowPages = !(pd.Flags & PD_NOPAGENUMS);
    q.allowSelection = !(pd.Flags & PD_NOSELECTION);
    q.showPrintToFile = !(pd.Flags & PD_HIDEPRINTTOFILE);
    q.allowPrintToFile = !(pd.Flags & PD_DISABLEPRINTTOFILE);
    q.printToFile = pd.Flags & PD_PRINTTOFILE;
    q.fromPage = pd.nFromPage;
    q.toPage = pd.nToPage;
    q.minPage = pd.nMinPage;
    q.maxPage = pd.nMaxPage;

    PrintReply r = dialogDriver().print(q);
    if (r.error || !r.confirmed) return endWithoutAnswer(r);

    PrinterSetup settings = r.printer;
    const SHORT copies = settings.copies > 0 ? settings.copies : 1;
    const bool collate = settings.collate;
    if (!copiesInDevMode) {
        settings.copies = 1;
        settings.collate = false;
    }
    if (const DWORD e = writePrinterSetup(settings, pd.hDevMode, pd.hDevNames)) return fail(e);

    DWORD flags = pd.Flags & ~(kRangeFlags | PD_PRINTTOFILE | PD_COLLATE);
    if (!q.returnDefault) {
        flags |= flagOf(r.range);
        if (r.printToFile) flags |= PD_PRINTTOFILE;
        if (r.range == PrintRange::Pages) {
            pd.nFromPage = r.fromPage;
            pd.nToPage = r.toPage;
        }
    }
    if (copiesInDevMode) {
        pd.nCopies = 1;
    } else {
        pd.nCopies = static_cast<WORD>(copies);
        if (collate) flags |= PD_COLLATE;
    }
    pd.Flags = flags;
    if (q.returnDC) pd.hDC = r.dc;
    setExtendedError(0);
    return TRUE_;
}

BOOL PageSetupDlgA(PAGESETUPDLGA* lppsd) {
    if (!lppsd) return fail(CDERR_INITIALIZATION);
    PAGESETUPDLGA& ps = *lppsd;
    if (ps.lStructSize != sizeofPAGESETUPDLGA) return fail(CDERR_STRUCTSIZE);
    if (const DWORD e = checkCommon(ps.hwndOwner,
                                    ps.Flags & (PSD_ENABLEPAGESETUPHOOK | PSD_ENABLEPAGEPAINTHOOK),
                                    ps.Flags & (PSD_ENABLEPAGESETUPTEMPLATE | 0x20000)))
        return fail(e);
    if ((ps.Flags & PSD_RETURNDEFAULT) && (ps.hDevMode || ps.hDevNames))
        return fail(PDERR_RETDEFFAILURE);

    PageSetupQuery q;
    q.flags = ps.Flags;
    q.owner = ps.hwndOwner;
    q.returnDefault = ps.Flags & PSD_RETURNDEFAULT;
    // Without either unit flag the record is in thousandths of an inch.
    q.inches =
        !(ps.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) || (ps.Flags & PSD_INTHOUSANDTHSOFINCHES);
    q.disableMargins = ps.Flags & PSD_DISABLEMARGINS;
    q.disableOrientation = ps.Flags & PSD_DISABLEORIENTATION;
    q.disablePaper = ps.Flags & PSD_DISABLEPAPER;
    q.disablePrinter = ps.Flags & PSD_DISABLEPRINTER;
    q.warnWithoutPrinter = !(ps.Flags & PSD_NOWARNING);
    q.hasMargins = ps.Flags & PSD_MARGINS;
    q.hasMinMargins = ps.Flags & PSD_MINMARGINS;
    q.margins = ps.rtMargin;
    q.minMargins = ps.rtMinMargin;
    const auto negative = [](const RECT& r) {
        return r.left < 0 || r.top < 0 || r.right < 0 || r.bottom < 0;
    };
    if ((q.hasMargins && negative(q.margins)) || (q.hasMinMargins && negative(q.minMargins)))
        return fail(CDERR_INITIALIZATION);
    if (q.hasMargins && q.hasMinMargins &&
        (q.margins.left < q.minMargins.left || q.margins.top < q.minMargins.top ||
         q.margins.right < q.minMargins.right || q.margins.bottom < q.minMargins.bottom))
        return fail(CDERR_INITIALIZATION);
    if (const DWORD e = readPrinterSetup(ps.hDevMode, ps.hDevNames, q.printer, q.hasPrinter))
        return fail(e);

    const PageSetupReply r = dialogDriver().pageSetup(q);
    if (r.error || !r.confirmed) return endWithoutAnswer(r);
    if (const DWORD e = writePrinterSetup(r.printer, ps.hDevMode, ps.hDevNames)) return fail(e);
    ps.rtMargin = r.margins;
    ps.ptPaperSize = r.paperSize;
    if (!(ps.Flags & (PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS)))
        ps.Flags |= PSD_INTHOUSANDTHSOFINCHES;
    setExtendedError(0);
    return TRUE_;
}

} // namespace vx::win
