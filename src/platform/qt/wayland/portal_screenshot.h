#pragma once
// A picture of the whole desktop from the desktop's screenshot portal
// (org.freedesktop.portal.Screenshot on the session bus).
#include "platform/desktop.h"
#include <QImage>
#include <chrono>

namespace vx::win::qt {

struct PortalPicture {
    QImage image; // null when problem says why
    ScreenPictureProblem problem = ScreenPictureProblem::NoProblem;
};

struct PortalLimits {
    // How long each request may take: the one without a dialog answers at once on a desktop
    // that allows it; the one with a dialog waits for the person.
    std::chrono::milliseconds quiet{5000};
    std::chrono::milliseconds asking{60000};
};

// Asks without a dialog first, and with the desktop's own dialog only when the quiet request
// was not allowed. The session bus is reached on the first call, not before. The file the
// portal wrote for the picture is removed once read. Window-system events are served while
// waiting; the program's input waits until the answer is in.
PortalPicture portalScreenshot(const PortalLimits& limits = {});

} // namespace vx::win::qt
