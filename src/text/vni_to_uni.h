#pragma once
// VNI-typed text (ASCII letters followed by mark digits) to precomposed Vietnamese UTF-16.
#include "host/vb_types.h"

namespace vx {

// Converts text in place and returns the converted text. A text of 32,767 characters or
// more raises Overflow before anything is changed.
String VniToUni(String& text);

} // namespace vx
