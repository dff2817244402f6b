#pragma once
// user32 window calls over the platform's window table.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr HWND HWND_TOPMOST = -1;
inline constexpr UINT SWP_NOSIZE = 0x1;
inline constexpr UINT SWP_NOMOVE = 0x2;
inline constexpr UINT SWP_SHOWWINDOW = 0x40;

BOOL SetForegroundWindow(HWND hWnd);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
BOOL IsWindow(HWND hWnd);

} // namespace vx::win
