#pragma once
// user32 window calls over the platform's window table.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr HWND HWND_TOPMOST = -1;
inline constexpr UINT SWP_NOSIZE = 0x1;
inline constexpr UINT SWP_NOMOVE = 0x2;
inline constexpr UINT SWP_SHOWWINDOW = 0x40;
inline constexpr int SW_RESTORE = 9;

BOOL SetForegroundWindow(HWND hWnd);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
BOOL IsWindow(HWND hWnd);
// SW_SHOWNORMAL and SW_RESTORE: shown, un-minimised, raised and active, even while another
// program has the focus (only a request of the user leads here); other commands do nothing.
// Nonzero if the window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);

} // namespace vx::win
