#pragma once
// A full-screen window of one colour is on the screen from the moment it is shown, not from
// the moment a window manager has taken it in: until then a plain window of that colour,
// which no manager handles, covers its monitor.
#include <optional>
class QWidget;

namespace vx::win::qt {

// The full-screen top-level window is about to be shown; the colour it is given before the
// window reaches the screen is shown at once. Does nothing off X11.
void awaitScreen(QWidget* window);
// The server pixel the window is filled with; none when it shows more than one colour or is
// hidden, which also ends the wait.
void curtainPixel(QWidget* window, std::optional<unsigned long> pixel);

} // namespace vx::win::qt
