#pragma once
// The system printer object: the default printer's device context.
#include "host/vb_types.h"

namespace vx::Printer {

// 0 when no printer is installed.
Long hDC();

} // namespace vx::Printer
