#pragma once
// One face of the platform per kind of desktop, chosen once at start-up: the X11 desktop (the
// root window), a Wayland session with or without XWayland (the screenshot portal, the
// compositor's output scale), or neither (what Qt itself can grab).
#include "platform/desktop.h"
#include "platform/qt/screen_grab.h"
#include "platform/qt/wayland/portal_screenshot.h"
#include <memory>
#include <optional>

class QScreen;

namespace vx::win::qt {

class DesktopFace {
  public:
    virtual ~DesktopFace() = default;
    // The whole screen, or nothing with the reason.
    virtual std::optional<ScreenPicture> grabScreen(ScreenPictureProblem& why) = 0;
    // The monitor's scale in percent where the desktop resamples what is drawn on it, else 0.
    virtual int resamplingPercent(const QScreen* monitor) = 0;
};

// A Wayland session: told by WAYLAND_DISPLAY or XDG_SESSION_TYPE, whichever platform Qt uses.
bool waylandSession();

// Picks the face for the running desktop; later calls keep it. Tests install their own.
void chooseDesktopFace();
void setDesktopFace(std::unique_ptr<DesktopFace> face);
// The chosen face; chosen now when nothing has been.
DesktopFace& desktopFace();

std::unique_ptr<DesktopFace> makeX11Face(); // null without an X server
// The screenshot portal and the compositor's outputs.
std::unique_ptr<DesktopFace> makeWaylandFace(const PortalLimits& limits = {});
std::unique_ptr<DesktopFace> makeQtFace(); // what Qt grabs, never resampled

} // namespace vx::win::qt
