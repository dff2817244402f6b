#include "platform/qt/desktop_face.h"
#include "platform/qt/monitor.h"
#include <QGuiApplication>

namespace vx::win::qt {
namespace {

std::unique_ptr<DesktopFace>& chosen() {
    static std::unique_ptr<DesktopFace> face;
    return face;
}

// Neither X11 nor Wayland (Qt's offscreen platform, VNC): what Qt grabs, drawn as it is.
class QtFace : public DesktopFace {
  public:
    std::optional<ScreenPicture> grabScreen(ScreenPictureProblem& why) override {
        why = ScreenPictureProblem::NoProblem;
        return grabWithQt();
    }
    int resamplingPercent(const QScreen*) override { return 0; }
};

} // namespace

bool waylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland";
}

std::unique_ptr<DesktopFace> makeQtFace() {
    return std::make_unique<QtFace>();
}

// In this order: a Wayland session, whether Qt reaches it natively or through XWayland (whose
// root window shows none of the other programs' windows); an X server; anything else.
void chooseDesktopFace() {
    if (chosen()) return;
    const QString platform = QGuiApplication::platformName();
    if (waylandSession() && (platform == "xcb" || platform.startsWith("wayland")))
        chosen() = makeWaylandFace();
    else if (platform == "xcb")
        chosen() = makeX11Face();
    if (!chosen()) chosen() = makeQtFace();
}

void setDesktopFace(std::unique_ptr<DesktopFace> face) {
    chosen() = std::move(face);
}

DesktopFace& desktopFace() {
    chooseDesktopFace();
    return *chosen();
}

} // namespace vx::win::qt

namespace vx::win {

int resamplingPercent() {
    const QScreen* monitor = qt::monitorUnderTest();
    return monitor ? qt::desktopFace().resamplingPercent(monitor) : 0;
}

} // namespace vx::win
