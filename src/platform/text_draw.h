#pragma once
// gdi32 and user32 text output: DrawTextW into a device context, and the context's text
// colour.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr UINT DT_TOP = 0x0;
inline constexpr UINT DT_LEFT = 0x0;
inline constexpr UINT DT_CENTER = 0x1;
inline constexpr UINT DT_RIGHT = 0x2;
inline constexpr UINT DT_VCENTER = 0x4; // single line only
inline constexpr UINT DT_BOTTOM = 0x8;  // single line only
inline constexpr UINT DT_WORDBREAK = 0x10;
inline constexpr UINT DT_SINGLELINE = 0x20;
inline constexpr UINT DT_EXPANDTABS = 0x40;
// Bits 8-15 hold the tab length in average character widths; they then mean no flags.
inline constexpr UINT DT_TABSTOP = 0x80;
inline constexpr UINT DT_NOCLIP = 0x100;
inline constexpr UINT DT_EXTERNALLEADING = 0x200;
inline constexpr UINT DT_CALCRECT = 0x400;
inline constexpr UINT DT_NOPREFIX = 0x800;
inline constexpr UINT DT_HIDEPREFIX = 0x100000;
inline constexpr UINT DT_PREFIXONLY = 0x200000;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Draws cchText UTF-16 units of text (-1: up to the terminating 0) into the rectangle, in
// the context's font and text colour, over its background colour when its background mode
// is opaque. Unless DT_SINGLELINE is given, CR LF, CR and LF each start a new line. Unless
// DT_NOPREFIX is given, "&" underlines the next character and "&&" draws one "&". Returns
// the height of the text (with DT_VCENTER or DT_BOTTOM: from the top of the rectangle to
// the bottom of the text), 0 on failure. With DT_CALCRECT nothing is drawn and the
// rectangle's right and bottom are set to fit the text.
int DrawTextW(HDC hdc, const char16_t* lpchText, int cchText, RECT* lprc, UINT format);

// Sets the colour text is drawn in (0x00BBGGRR); returns the previous one, or CLR_INVALID
// for a handle that is not a device context.
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);

} // namespace vx::win
