#pragma once
// Window and pointer probes for the pattern tests; the window probes survive the window
// going away.
#include "e2e/x_session.h"
#include <optional>

namespace vx::e2e {

// The window's place on the screen while it is mapped; nullopt once it is unmapped or
// destroyed (the X error that a destroyed window causes is swallowed).
std::optional<Rect> mappedGeometry(Display* dpy, Window w);

// Whether the pointer shows nothing now: an empty cursor image, or one with every pixel
// transparent. nullopt without the XFixes extension.
std::optional<bool> pointerBlank(Display* dpy);

} // namespace vx::e2e
