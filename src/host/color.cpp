#include "host/color.h"
#include "platform/system.h"

namespace vx {

OleColor translateColor(OleColor c) {
    if (c & 0x80000000u) return win::GetSysColor(static_cast<int>(c & 0xFFu)) & 0xFFFFFFu;
    return c & 0xFFFFFFu;
}

} // namespace vx
