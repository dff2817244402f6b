#include "dialogs/byte_text.h"
#include "dialogs/c_common_dialog.h"
#include "dialogs/code_page.h"
#include "host/errors.h"
#include "host/numeric.h"
#include "host/printer.h"
#include "host/screen.h"
#include <algorithm>
#include <cstring>

namespace vx {
namespace {

constexpr win::DWORD kRemovedFontFlags =
    win::CF_ENABLEHOOK | win::CF_ENABLETEMPLATE | win::CF_APPLY; // 0x218
constexpr win::BYTE kByteTrue = 0xFF;

} // namespace

Boolean cCommonDialog::VBChooseFont(const FontRef& CurFont, ByRef<Long> PrinterDC,
                                    ByRef<Long> Owner, ByRef<Long> Color, ByRef<Long> MinSize,
                                    ByRef<Long> MaxSize, ByRef<Long> flags) {
    lApiReturn = 0;
    lExtendedError = 0;
    if (!CurFont) raiseError(91, "Object variable or With block variable not set");

    if (*PrinterDC == -1) {
        PrinterDC = 0;
        if (*flags & win::CF_PRINTERFONTS) PrinterDC = Printer::hDC();
    } else {
        flags = *flags | win::CF_PRINTERFONTS;
    }
    if (!(*flags & win::CF_PRINTERFONTS)) flags = *flags | win::CF_SCREENFONTS;
    if (*Color != 0) flags = *flags | win::CF_EFFECTS;
    if (*MinSize != 0 || *MaxSize != 0) flags = *flags | win::CF_LIMITSIZE;
    flags = static_cast<Long>((static_cast<win::DWORD>(*flags) & ~kRemovedFontFlags) |
                              win::CF_INITTOLOGFONTSTRUCT);

    StdFont& font = *CurFont;
    win::LOGFONTA lf{};
    lf.lfHeight = CLng(-(font.Size * 20.0 / Screen::TwipsPerPixelY()));
    lf.lfWeight = font.Weight;
    lf.lfItalic = font.Italic ? kByteTrue : 0;
    lf.lfUnderline = font.Underline ? kByteTrue : 0;
    lf.lfStrikeOut = font.Strikethrough ? kByteTrue : 0;
    std::vector<win::BYTE> face(win::LF_FACESIZE);
    String name = fromCodePage(font.Name);
    StringToBytes(face, name);
    std::copy(face.begin(), face.end(), lf.lfFaceName);

    win::CHOOSEFONTA cf{};
    cf.lStructSize = win::sizeofCHOOSEFONTA;
    if (*Owner != -1) cf.hwndOwner = *Owner;
    cf.hDC = *PrinterDC;
    cf.lpLogFont = &lf;
    cf.iPointSize = CLng(font.Size * 10.0);
    cf.Flags = static_cast<win::DWORD>(*flags);
    cf.rgbColors = static_cast<win::COLORREF>(*Color);
    cf.nSizeMin = *MinSize;
    cf.nSizeMax = *MaxSize;

    const win::BOOL result = win::ChooseFontA(&cf);
    lApiReturn = result;
    if (result == 1) {
        flags = static_cast<Long>(cf.Flags);
        Color = static_cast<Long>(cf.rgbColors);
        font.Bold = (cf.nFontType & win::BOLD_FONTTYPE) != 0;
        font.Italic = lf.lfItalic != 0;
        font.Strikethrough = lf.lfStrikeOut != 0;
        font.Underline = lf.lfUnderline != 0;
        font.Weight = toInteger(lf.lfWeight);
        font.Size = cf.iPointSize / 10.0;
        // The face field is NUL-filled after the name; a name is only what comes before.
        std::copy(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), face.begin());
        const String faceText = BytesToString(face);
        font.Name = toCodePage(faceText.substr(0, faceText.find(u'\0')));
        return vbTrue;
    }
    noteFailure(result);
    return vbFalse;
}

} // namespace vx
