#pragma once
// The desktop around the program: other clients' windows, minimising, a window manager.
#include "e2e/x_session.h"
#include <string>
#include <sys/types.h>

namespace vx::e2e {

// Maps a window of another client over r, in front, filled with 0xRRGGBB.
Window coverWith(Display* dpy, const Rect& r, unsigned rgb);
// The window manager's minimise request, as a title-bar button sends it.
void iconify(Display* dpy, Window w);
bool isViewable(Display* dpy, Window w);
// Whether w, or a window inside it, has the input focus.
bool hasFocus(Display* dpy, Window w);
// Viewable windows anywhere in the tree (inside window-manager frames too) whose title
// begins with prefix.
int countWindows(Display* dpy, const std::string& prefix);

// Openbox on the session's display for as long as this lives, unless a window manager runs
// there already.
class WindowManager {
  public:
    explicit WindowManager(Display* dpy);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    bool running() const { return running_; }
    // Waits until the window manager has put w into a frame of its own.
    bool manages(Window w) const;

  private:
    Display* dpy_;
    pid_t pid_ = -1;
    bool running_ = false;
};

} // namespace vx::e2e
