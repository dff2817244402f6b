#pragma once
// The screen in twips. One logical pixel is 15 twips; a device pixel is 15 / scale twips.
#include "host/vb_types.h"

namespace vx::Screen {

Single Width();
Single Height();
Single TwipsPerPixelX();
Single TwipsPerPixelY();

} // namespace vx::Screen

namespace vx {
inline constexpr double kTwipsPerLogicalPixel = 15.0;
}
