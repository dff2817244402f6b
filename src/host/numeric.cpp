#include "host/numeric.h"
#include "host/errors.h"
#include <cmath>
#include <limits>

namespace vx {

double roundHalfEven(double v) {
    return std::nearbyint(v);
} // default FE_TONEAREST

Integer CInt(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) raiseError(errOverflow);
    return static_cast<Integer>(r);
}

Long CLng(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) raiseError(errOverflow);
    return static_cast<Long>(r);
}

Integer toInteger(long long v) {
    if (v < std::numeric_limits<Integer>::min() || v > std::numeric_limits<Integer>::max())
        raiseError(errOverflow);
    return static_cast<Integer>(v);
}

Long toLong(long long v) {
    if (v < std::numeric_limits<Long>::min() || v > std::numeric_limits<Long>::max())
        raiseError(errOverflow);
    return static_cast<Long>(v);
}

} // namespace vx
