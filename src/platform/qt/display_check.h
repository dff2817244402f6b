#pragma once
// Whether the display the platform plugin will open answers, asked before Qt starts: Qt
// ends the process with a core dump when it finds none.
#include <optional>
#include <string>

namespace vx::win::qt {

// Nothing when an X or Wayland display answers, or when a platform that needs none (such as
// offscreen) is asked for; otherwise the line that tells the user what is wrong.
std::optional<std::string> missingDisplay(int argc, char** argv);

// Where no platform was asked for (QT_QPA_PLATFORM, -platform) and a Wayland compositor
// answers, the platform list that draws on it natively, with X11 (XWayland) after it:
// "wayland;xcb"; otherwise empty. Natively the patterns reach the device pixels at every
// whole-number scale and the test window covers the control window.
std::string preferredPlatforms(int argc, char** argv);

} // namespace vx::win::qt
