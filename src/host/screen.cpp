#include "host/screen.h"
#include "host/qt/qt_util.h"
#include "platform/qt/monitor.h"
#include <QScreen>

namespace vx::Screen {
namespace {
QRect logicalRect() {
    const QScreen* s = win::qt::monitorUnderTest();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}
QSize logicalSize() {
    return logicalRect().size();
}
} // namespace

Single Left() {
    return static_cast<Single>(logicalRect().x() * kTwipsPerLogicalPixel);
}
Single Top() {
    return static_cast<Single>(logicalRect().y() * kTwipsPerLogicalPixel);
}
Single Width() {
    return static_cast<Single>(logicalSize().width() * kTwipsPerLogicalPixel);
}
Single Height() {
    return static_cast<Single>(logicalSize().height() * kTwipsPerLogicalPixel);
}
Single TwipsPerPixelX() {
    return static_cast<Single>(hostqt::twipsPerDevicePixel());
}
Single TwipsPerPixelY() {
    return static_cast<Single>(hostqt::twipsPerDevicePixel());
}

} // namespace vx::Screen
