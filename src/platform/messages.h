#pragma once
// Window messages sent to the platform's windows.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr UINT WM_SETFONT = 0x0030; // wParam: HFONT (0 = system font), lParam: redraw
inline constexpr UINT WM_GETFONT = 0x0031; // returns the HFONT last set, 0 for the system font
inline constexpr UINT BM_CLICK = 0x00F5;   // presses a button as a click would

// Unknown messages, and any message to a window that no longer exists, return 0.
LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace vx::win
