#include "platform/ole.h"
#include "platform/system.h"

namespace vx::win {

HRESULT OleTranslateColor(OLE_COLOR clr, HPALETTE, COLORREF* lpcolorref) {
    const DWORD kind = clr >> 24;
    COLORREF rgb = 0;
    if (kind == 0x00) {
        rgb = clr;
    } else if (kind == 0x80 && (clr & 0xFFFFFF) <= 30) {
        rgb = GetSysColor(static_cast<int>(clr & 0xFF));
    } else if (kind == 0x01 || kind == 0x02) {
        rgb = clr & 0xFFFFFF; // palette-index and palette-relative forms, without a palette
    } else {
        return E_INVALIDARG_;
    }
    if (lpcolorref) *lpcolorref = rgb;
    return S_OK_;
}

} // namespace vx::win
