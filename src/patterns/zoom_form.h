#pragma once
// The closing animation of a window.
#include "host/form.h"
#include "host/vb_types.h"

namespace vx {

// Mode 2 (the only mode there is) grows the window once by 510 twips each way when bBounce
// is True, then shrinks it around the screen centre by 255 twips a step until it has no
// size left, and hides it. bExact is not read. Any other mode raises error 5.
void ZoomForm(Form& frm, Long nMode, Boolean bExact, Boolean bBounce);

} // namespace vx
