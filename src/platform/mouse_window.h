#pragma once
// user32 calls that find the window the mouse belongs to: the one under a screen point, and
// the one that captures all mouse input.
#include "platform/win_types.h"

namespace vx::win {

// The innermost window of the program at a screen point, skipping disabled ones in favour of
// their parent; 0 where none of the program's windows is. On X11 the server's stacking
// decides, so a window of another program over the point also gives 0.
HWND WindowFromPoint(POINT Point);
// Sends all mouse input to the window until the capture is released; returns the window
// that had the capture before, 0 if none. A handle that is not a visible window takes no
// capture.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

} // namespace vx::win
