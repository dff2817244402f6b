#pragma once
// Window-manager requests that Qt has no call for. They do nothing off X11.
class QWidget;
typedef struct _XDisplay Display;

namespace vx::win::qt {

// Qt's own X connection, or null when Qt does not run on X11.
Display* x11Display();
// Asks the window manager to keep a top-level window above the others.
void keepAbove(QWidget* window);

} // namespace vx::win::qt
