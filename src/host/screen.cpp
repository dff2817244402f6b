#include "host/screen.h"
#include "host/qt/qt_util.h"
#include "platform/qt/monitor.h"
#include <QScreen>

namespace vx::Screen {
namespace {
QSize logicalSize() {
    const QScreen* s = win::qt::monitorUnderTest();
    return s ? s->geometry().size() : QSize(1024, 768);
}
} // namespace

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
