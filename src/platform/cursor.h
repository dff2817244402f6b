#pragma once
// user32 cursor calls: where the cursor is, and which shape it shows over the program's
// windows.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr LONG IDC_ARROW = 32512;
inline constexpr LONG IDC_IBEAM = 32513;
inline constexpr LONG IDC_WAIT = 32514;
inline constexpr LONG IDC_CROSS = 32515;
inline constexpr LONG IDC_UPARROW = 32516;
inline constexpr LONG IDC_SIZENWSE = 32642;
inline constexpr LONG IDC_SIZENESW = 32643;
inline constexpr LONG IDC_SIZEWE = 32644;
inline constexpr LONG IDC_SIZENS = 32645;
inline constexpr LONG IDC_SIZEALL = 32646;
inline constexpr LONG IDC_NO = 32648;
inline constexpr LONG IDC_HAND = 32649;
inline constexpr LONG IDC_APPSTARTING = 32650;
inline constexpr LONG IDC_HELP = 32651;

// The cursor position in screen coordinates; FALSE when lpPoint is null.
BOOL GetCursorPos(POINT* lpPoint);
// A system cursor by resource number (hInstance 0); the same handle every time. 0 for a
// number that is not a system cursor or a module of the program's own (it has no cursor
// resources).
HCURSOR LoadCursorA(HINSTANCE hInstance, LONG lpCursorName);
// Shows the cursor over the program's window under the pointer until another shape is set
// there; 0 hides it. Returns the previous cursor, 0 if there was none or hCursor is not a
// cursor handle.
HCURSOR SetCursor(HCURSOR hCursor);

} // namespace vx::win
