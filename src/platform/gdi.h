#pragma once
// gdi32 and the device-context calls of user32: the screen's device context and block
// transfers between device contexts.
#include "platform/win_types.h"
#include <functional>

namespace vx::win {

inline constexpr DWORD SRCCOPY = 0x00CC0020;

// GetDC(0): a device context over a snapshot of the whole screen, taken now, once the
// windows that a window closed just before uncovered have repainted; 0 when the desktop gives
// no picture (screenPictureProblem in platform/desktop.h says why). Other window handles give
// 0; a window's own context is its hDC.
HDC GetDC(HWND hWnd);
// 1 when the context came from GetDC and is released now, 0 otherwise.
int ReleaseDC(HWND hWnd, HDC hDC);
// Copies a cx by cy block; source and destination may be the same context and overlap.
// Only SRCCOPY is supported; parts outside either surface are not copied.
BOOL BitBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);

// Every BitBlt call as it is made, for tests and benchmarks that watch the drawing.
struct BitBltCall {
    HDC hdcDest;
    int x, y, cx, cy;
    HDC hdcSrc;
    int x1, y1;
    DWORD rop;
};
void setBitBltObserver(std::function<void(const BitBltCall&)> observer);

} // namespace vx::win
