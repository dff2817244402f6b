#pragma once
// olepro32: turns an OLE colour (an RGB value or a system-colour reference) into RGB.
#include "platform/win_types.h"

namespace vx::win {

using OLE_COLOR = DWORD;
using HPALETTE = HANDLE;
inline constexpr HRESULT S_OK_ = 0;
inline constexpr HRESULT E_INVALIDARG_ = static_cast<HRESULT>(0x80070057);

HRESULT OleTranslateColor(OLE_COLOR clr, HPALETTE hpal, COLORREF* lpcolorref);

} // namespace vx::win
