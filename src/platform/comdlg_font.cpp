#include "platform/comdlg_internal.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vx::win {
namespace {
using namespace detail;

// The largest size the dialogs offer, in tenths of a point.
constexpr long long kMaxTenths = 16380;

// MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
long long mulDiv(long long a, long long b, long long c) {
    const long long n = a * b;
    const long long q = (std::llabs(n) * 2 + c) / (2 * c);
    return n < 0 ? -q : q;
}

FontChoice fromLogFont(const LOGFONTA& lf, int dpi) {
    FontChoice f;
    // A face cut at the field's end may have lost part of its last character.
    f.face = validUtf8Part(boundedString(lf.lfFaceName, LF_FACESIZE));
    // Negative heights are character heights, positive ones cell heights; both read as
    // the point size here.
    f.tenths = static_cast<int>(std::min(mulDiv(std::llabs(lf.lfHeight), 720, dpi), kMaxTenths));
    f.weight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeOut = lf.lfStrikeOut != 0;
    return f;
}

void toLogFont(const FontChoice& f, int dpi, LOGFONTA& lf) {
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = static_cast<LONG>(-mulDiv(f.tenths, dpi, 720));
    lf.lfWeight = f.weight;
    lf.lfItalic = f.italic ? 1 : 0;
    lf.lfUnderline = f.underline ? 1 : 0;
    lf.lfStrikeOut = f.strikeOut ? 1 : 0;
    copyFixed(lf.lfFaceName, LF_FACESIZE, f.face);
}

} // namespace

BOOL ChooseFontA(CHOOSEFONTA* lpcf) {
    if (!lpcf) return fail(CDERR_INITIALIZATION);
    CHOOSEFONTA& cf = *lpcf;
    if (cf.lStructSize != sizeofCHOOSEFONTA) return fail(CDERR_STRUCTSIZE);
    if (const DWORD e = checkCommon(cf.hwndOwner, cf.Flags & CF_ENABLEHOOK,
                                    cf.Flags & (CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE)))
        return fail(e);
    if (!cf.lpLogFont) return fail(CDERR_INITIALIZATION);
    if ((cf.Flags & CF_LIMITSIZE) && cf.nSizeMax < cf.nSizeMin) return fail(CFERR_MAXLESSTHANMIN);

    DialogDriver& driver = dialogDriver();
    const int dpi = driver.logPixelsY() > 0 ? driver.logPixelsY() : 96;
    FontQuery q;
    q.flags = cf.Flags;
    q.logFont = *cf.lpLogFont;
    q.pointSize = cf.iPointSize;
    q.owner = cf.hwndOwner;
    q.printerFonts = cf.Flags & CF_PRINTERFONTS;
    q.screenFonts = (cf.Flags & CF_SCREENFONTS) || !q.printerFonts;
    if (q.printerFonts) {
        if (driver.isPrinterDC(cf.hDC)) {
            q.printerDC = cf.hDC;
        } else if (!q.screenFonts) {
            return fail(CFERR_NOFONTS); // printer fonts only, and no printer to list them
        } else {
            q.printerFonts = false;
        }
    }
    q.fixedPitchOnly = cf.Flags & CF_FIXEDPITCHONLY;
    q.scalableOnly = (cf.Flags & (CF_SCALABLEONLY | CF_TTONLY)) != 0;
    q.effects = cf.Flags & CF_EFFECTS;
    q.color = cf.rgbColors & 0x00FFFFFF;
    q.limitSize = cf.Flags & CF_LIMITSIZE;
    q.minSize = cf.nSizeMin;
    q.maxSize = cf.nSizeMax;
    q.hasInitial = cf.Flags & CF_INITTOLOGFONTSTRUCT;
    if (q.hasInitial) q.initial = fromLogFont(*cf.lpLogFont, dpi);

    const FontReply r = driver.chooseFont(q);
    if (r.error || !r.confirmed) return endWithoutAnswer(r);
    if (r.font.tenths <= 0 || r.font.tenths > kMaxTenths) return fail(CDERR_DIALOGFAILURE);

    toLogFont(r.font, dpi, *cf.lpLogFont);
    cf.iPointSize = r.font.tenths;
    if (q.effects) cf.rgbColors = r.color & 0x00FFFFFF;
    WORD type = q.screenFonts ? SCREEN_FONTTYPE : PRINTER_FONTTYPE;
    if (r.font.weight >= FW_BOLD) type |= BOLD_FONTTYPE;
    if (r.font.italic) type |= ITALIC_FONTTYPE;
    if (r.font.weight < FW_BOLD && !r.font.italic) type |= REGULAR_FONTTYPE;
    cf.nFontType = type;
    setExtendedError(0);
    return TRUE_;
}

} // namespace vx::win
