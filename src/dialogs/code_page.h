#pragma once
// The system code page (UTF-8) of the "A" calls, to and from the program's UTF-16 text.
// NUL characters pass through both ways; malformed input becomes U+FFFD.
#include "host/vb_types.h"
#include <string>
#include <string_view>

namespace vx {

std::string toCodePage(std::u16string_view text);
String fromCodePage(std::string_view bytes);

} // namespace vx
