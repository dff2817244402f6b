#pragma once
#include "host/vb_types.h"

namespace vx {

// A system-colour reference (0x80000000 plus the index) becomes the system colour; any
// other value keeps its low three bytes.
OleColor translateColor(OleColor c);
inline constexpr OleColor sysColor(int index) {
    return 0x80000000u | static_cast<OleColor>(index);
}

} // namespace vx
