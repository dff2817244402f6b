#pragma once
// The screen in twips: the monitor under test, the one that holds the centre of the main
// window. One logical pixel is 15 twips; a device pixel is 15 / its scale factor twips.
#include "host/vb_types.h"

namespace vx::Screen {

// Where the monitor's top-left corner lies on the desktop that all monitors make up.
Single Left();
Single Top();
Single Width();
Single Height();
Single TwipsPerPixelX();
Single TwipsPerPixelY();

} // namespace vx::Screen

namespace vx {
inline constexpr double kTwipsPerLogicalPixel = 15.0;
}
