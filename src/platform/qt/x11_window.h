#pragma once
// Window-manager requests that Qt has no call for. They do nothing off X11.
#include <QMargins>
#include <QRect>
#include <optional>
#include <vector>
class QColor;
class QWidget;
class QWindow;
typedef struct _XDisplay Display;

namespace vx::win::qt {

// Qt's own X connection, or null when Qt does not run on X11.
Display* x11Display();
// Sends a client message about a window to the root, where the window manager takes it.
void sendToRoot(Display* dpy, unsigned long window, const char* type, long l0, long l1 = 0,
                long l2 = 0, long l3 = 0, long l4 = 0);
// A 32-bit property of a window as numbers; empty when unset.
std::vector<unsigned long> cardinals(Display* dpy, unsigned long window, const char* name,
                                     unsigned long kind);
// Whether the running window manager lists an atom among those it supports.
bool managerSupports(Display* dpy, const char* name);
// Asks the window manager to spread a full-screen window over the one monitor at a device
// rectangle, where the manager lets a client name it; others keep a full-screen window on the
// monitor it was placed on.
void fullScreenOn(QWidget* window, const QRect& monitor);
// Asks the window manager to un-minimise, raise and focus a top-level window the way a
// taskbar click does, which focus-stealing prevention lets through.
void presentWindow(QWidget* window);
// Tells the window manager that a top-level window has a fixed size: a frame with a title,
// a minimise box when asked for, a close box, and no maximise box or sizing border.
void setFixedFrame(QWidget* window, bool minimiseBox);
// The frame the window manager will put around a top-level window that is not shown yet,
// as the manager answers a request for it; none on a bare X server.
QMargins frameExtents(QWidget* window);
// True once the window is on the screen as the program last placed, sized and showed it: the
// window system has mapped it (a window manager has framed it) at its current size.
bool reachedScreen(QWidget* window);
// True while the window manager keeps a shown window off the screen: on another workspace,
// minimised or hidden. Such a window gets no expose until the user brings it back. A window
// the manager has not taken in yet is on its way, not kept off.
bool keptOffScreen(const QWindow* window);
// Returns once the server has carried out everything the program asked of it.
void syncWithServer();
// The colour the X server fills a window with wherever the program has not painted yet: at
// a map or an expose. None leaves what was on the screen there until the program paints.
void setServerBackground(QWidget* window, std::optional<QColor> colour);

} // namespace vx::win::qt
