#pragma once
// Window probes for the pattern tests that must survive the window going away.
#include "e2e/x_session.h"
#include <optional>

namespace vx::e2e {

// The window's place on the screen while it is mapped; nullopt once it is unmapped or
// destroyed (the X error that a destroyed window causes is swallowed).
std::optional<Rect> mappedGeometry(Display* dpy, Window w);

} // namespace vx::e2e
