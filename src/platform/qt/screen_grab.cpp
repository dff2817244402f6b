#include "platform/qt/screen_grab.h"
#include "platform/qt/monitor.h"
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace vx::win::qt {

QRect desktopDeviceRect() {
    QRect desktop;
    for (const QScreen* s : QGuiApplication::screens()) desktop |= deviceRect(s);
    return desktop;
}

ScreenPicture desktopPicture(QImage image) {
    ScreenPicture pic{std::move(image), {}};
    pic.origin = deviceRect(monitorUnderTest()).topLeft() - desktopDeviceRect().topLeft();
    return pic;
}

ScreenPicture grabWithQt() {
    const QRect desktop = desktopDeviceRect();
    QImage image(desktop.isEmpty() ? QSize(1, 1) : desktop.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    for (QScreen* s : QGuiApplication::screens()) {
        QImage shot = s->grabWindow(0).toImage();
        shot.setDevicePixelRatio(1); // pixel for pixel
        if (!shot.isNull()) p.drawImage(deviceRect(s).topLeft() - desktop.topLeft(), shot);
    }
    p.end();
    return desktopPicture(std::move(image));
}

} // namespace vx::win::qt
