#pragma once
// A picture of the whole screen in device pixels.
#include <QImage>
#include <QPoint>

namespace vx::win::qt {

struct ScreenPicture {
    QImage image;  // Format_RGB32
    QPoint origin; // where the monitor under test's top-left corner lies in the image
};

// On X11 the root window as the server holds it; elsewhere what Qt can grab of each monitor,
// placed as on the desktop, black where nothing can be grabbed.
ScreenPicture grabScreen();

} // namespace vx::win::qt
