#pragma once
// The program's one pseudo-random generator: single-precision values in [0, 1).
#include "host/vb_types.h"

namespace vx {

Single Rnd();
// Reseeds from the clock.
void Randomize();
// Reseeds from a given value (tests use this to repeat a sequence).
void Randomize(double seed);

} // namespace vx
