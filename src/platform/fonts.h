#pragma once
// GDI fonts: logical fonts made by CreateFontA, released with DeleteObject.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_BOLD = 700;

inline constexpr DWORD DEFAULT_CHARSET = 1;
inline constexpr DWORD NONANTIALIASED_QUALITY = 3;
inline constexpr DWORD ANTIALIASED_QUALITY = 4;
inline constexpr DWORD FIXED_PITCH = 1;
inline constexpr DWORD VARIABLE_PITCH = 2;
inline constexpr DWORD FF_ROMAN = 0x10;
inline constexpr DWORD FF_SWISS = 0x20;
inline constexpr DWORD FF_MODERN = 0x30;
inline constexpr DWORD FF_SCRIPT = 0x40;
inline constexpr DWORD FF_DECORATIVE = 0x50;

// Heights are in pixels: a positive height is the cell height (ascent plus descent), a
// negative one the character height, 0 the default size. The face name is UTF-8; a null or
// empty name lets the pitch and family choose. Returns 0 on failure.
HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  const char* pszFaceName);
// Releases a font made by CreateFontA; FALSE for any other handle.
BOOL DeleteObject(HANDLE ho);

} // namespace vx::win
