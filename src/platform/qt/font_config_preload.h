#pragma once
#include <thread>

namespace vx::win::qt {

// Fontconfig reads its configuration and font caches the first time a font is asked for, a
// good part of a start. This reads them on a thread of its own while Qt connects to the
// display; Qt's font database then finds them loaded. Join it before the first font is used.
[[nodiscard]] std::jthread preloadFontConfig();

} // namespace vx::win::qt
