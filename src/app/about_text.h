#pragma once
// The about box's text and title, VNI-typed: the message box turns them into Unicode.
#include "host/vb_types.h"

namespace vx {

// Twelve lines, each followed by CR LF.
String aboutText();
String aboutTitle();

} // namespace vx
