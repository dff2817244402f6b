#pragma once
// Whether the display the platform plugin will open answers, asked before Qt starts: Qt
// ends the process with a core dump when it finds none.
#include <optional>
#include <string>

namespace vx::win::qt {

// Nothing when an X or Wayland display answers, or when a platform that needs none (such as
// offscreen) is asked for; otherwise the line that tells the user what is wrong.
std::optional<std::string> missingDisplay(int argc, char** argv);

} // namespace vx::win::qt
