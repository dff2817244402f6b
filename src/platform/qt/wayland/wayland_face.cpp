// A Wayland session's face, for Qt on Wayland and on XWayland alike: the screen comes from the
// desktop's screenshot portal, and the compositor says how it scales each output.
#include "platform/qt/desktop_face.h"
#include "platform/qt/monitor.h"
#include "platform/qt/wayland/portal_screenshot.h"
#include "platform/qt/wayland/wayland_outputs.h"
#include <QScreen>

namespace vx::win::qt {
namespace {

class WaylandFace : public DesktopFace {
  public:
    explicit WaylandFace(const PortalLimits& limits) : limits_(limits) {}

    std::optional<ScreenPicture> grabScreen(ScreenPictureProblem& why) override {
        // A portal that is missing stays missing; one that refused may allow the next time.
        if (why_ == ScreenPictureProblem::NoService) {
            why = why_;
            return std::nullopt;
        }
        PortalPicture shot = portalScreenshot(limits_);
        why = why_ = shot.problem;
        if (shot.image.isNull()) return std::nullopt;
        // The portal pictures the desktop in the compositor's device pixels; the program's
        // pixels may be fewer (XWayland enlarged) or more (Qt drawing at a whole-number scale
        // above a fractional one).
        const QSize size = desktopDeviceRect().size();
        if (!size.isEmpty() && shot.image.size() != size)
            shot.image = shot.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return desktopPicture(std::move(shot.image));
    }

    int resamplingPercent(const QScreen* monitor) override {
        const std::vector<WaylandOutput> outputs = waylandOutputs();
        const WaylandOutput* match = outputs.size() == 1 ? &outputs.front() : nullptr;
        for (const WaylandOutput& o : outputs)
            if (QString::fromStdString(o.name) == monitor->name()) match = &o;
        return match ? resampledPercent(*match, deviceRect(monitor).width()) : 0;
    }

  private:
    PortalLimits limits_;
    ScreenPictureProblem why_ = ScreenPictureProblem::NoProblem;
};

} // namespace

std::unique_ptr<DesktopFace> makeWaylandFace(const PortalLimits& limits) {
    return std::make_unique<WaylandFace>(limits);
}

} // namespace vx::win::qt
