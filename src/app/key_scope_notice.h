#pragma once
// Where the keyboard cannot be read globally, the user is told once where the keys act: while
// one of the program's windows has the focus, or, on a Wayland desktop, while a window of any
// X11 program has it.
#include "platform/win_types.h"

namespace vx {

// Shows the notice the first time it is needed; returns its window, or 0 when nothing was
// shown (keys are global, or the user has been told already).
win::HWND tellKeyScopeOnce();

} // namespace vx
