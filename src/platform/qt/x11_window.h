#pragma once
// Window-manager requests that Qt has no call for. They do nothing off X11.
class QWidget;

namespace vx::win::qt {

// Asks the window manager to keep a top-level window above the others.
void keepAbove(QWidget* window);

} // namespace vx::win::qt
