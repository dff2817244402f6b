#pragma once
// Where the keyboard cannot be read globally, the user is told once that the keys act only
// while one of the program's windows has the focus.
#include "platform/win_types.h"

namespace vx {

// Shows the notice the first time it is needed; returns its window, or 0 when nothing was
// shown (keys are global, or the user has been told already).
win::HWND tellKeyScopeOnce();

} // namespace vx
