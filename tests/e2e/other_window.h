#pragma once
// A plain window of another X client, mapped on top of the others; gone with the object.
#include "e2e/x_session.h"
#include <optional>

namespace vx::e2e {

class OtherWindow {
  public:
    // Asks for the place with a position hint, so that a window manager keeps it there.
    OtherWindow(Display* dpy, const Rect& place);
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    // What it covers once it is mapped, a window manager's frame included; nullopt before.
    std::optional<Rect> covered() const;

  private:
    Display* dpy_;
    Window w_;
};

} // namespace vx::e2e
