#pragma once
// Window texts, class names and the search for windows by class and text.
#include "platform/win_types.h"

namespace vx::win {

// The first window after childAfter (0 = from the start) among the direct children of parent
// (0 = the top-level windows), in creation order, whose class name and text match. A null
// className or windowText matches any; both compare without regard to case.
HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, const char* lpszClass,
                   const char* lpszWindow);

// A button's or static's text, or a top-level window's caption. A null text sets "".
BOOL SetWindowTextW(HWND hWnd, const char16_t* lpString);
// Copies at most nMaxCount - 1 code units and a terminating 0; returns the units copied.
int GetWindowTextW(HWND hWnd, char16_t* lpString, int nMaxCount);
int GetWindowTextLengthW(HWND hWnd);
// Copies at most nMaxCount - 1 bytes and a terminating 0; returns the bytes copied.
int GetClassNameA(HWND hWnd, char* lpClassName, int nMaxCount);

} // namespace vx::win
