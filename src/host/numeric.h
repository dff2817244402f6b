#pragma once
// Conversions to integers round half to even and raise Overflow when out of range.
#include "host/vb_types.h"

namespace vx {

double roundHalfEven(double v);
Integer CInt(double v);
Long CLng(double v);
// Range-checked narrowing of an exact integer (16-bit arithmetic results).
Integer toInteger(long long v);
Long toLong(long long v);

} // namespace vx
