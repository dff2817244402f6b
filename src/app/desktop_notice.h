#pragma once
// One notice tells the user what this desktop does not let Velotrix do: read the keys while
// other programs have the focus, and picture the screen for the effect (T). Each is told once.
#include "platform/win_types.h"

namespace vx {

// At start-up, where the keyboard cannot be read globally: where the keys act (while one of
// the program's windows has the focus, or, on a Wayland desktop, while a window of any X11
// program has it). Returns the notice's window, or 0 when nothing was shown.
win::HWND tellKeyScopeOnce();

// After the effect found no picture of the screen: why T does nothing, added to the notice if
// it is still open, else in the notice shown again with what it said about the keys. Returns
// the notice's window, or 0 when nothing was told (there was a picture, or the user has been
// told already).
win::HWND tellNoScreenPictureOnce();

} // namespace vx
