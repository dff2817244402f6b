#pragma once
// Window-manager requests that Qt has no call for. They do nothing off X11.
class QWidget;
typedef struct _XDisplay Display;

namespace vx::win::qt {

// Qt's own X connection, or null when Qt does not run on X11.
Display* x11Display();
// Asks the window manager to keep a top-level window above the others.
void keepAbove(QWidget* window);
// Asks the window manager to un-minimise, raise and focus a top-level window the way a
// taskbar click does, which focus-stealing prevention lets through.
void presentWindow(QWidget* window);

} // namespace vx::win::qt
