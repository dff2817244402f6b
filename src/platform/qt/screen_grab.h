#pragma once
// A picture of the whole screen in device pixels.
#include <QImage>
#include <QPoint>
#include <QRect>

namespace vx::win::qt {

struct ScreenPicture {
    QImage image;  // Format_RGB32
    QPoint origin; // where the monitor under test's top-left corner lies in the image
};

// Every monitor together in device pixels, as the desktop places them.
QRect desktopDeviceRect();
// A picture of the whole desktop (its top-left corner the desktop's), with the monitor under
// test placed in it.
ScreenPicture desktopPicture(QImage image);
// What Qt can grab of each monitor, placed as on the desktop, black where nothing can be
// grabbed.
ScreenPicture grabWithQt();

} // namespace vx::win::qt
