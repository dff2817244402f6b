#pragma once
// Text in the fixed byte fields of the dialog records, in the system code page.
#include "host/vb_types.h"
#include "platform/win_types.h"
#include <vector>

namespace vx {

// An empty array takes the whole converted text. A sized one keeps its size: s is padded
// with NULs to that many characters and its bytes are copied as far as they fit.
void StringToBytes(std::vector<win::BYTE>& bytes, String& s);
String BytesToString(const std::vector<win::BYTE>& bytes);

} // namespace vx
