#include "platform/mouse_window.h"
#include "platform/qt/window_table.h"
#include <QWidget>

namespace vx::win {

HWND WindowFromPoint(POINT Point) {
    QWidget* w = qt::widgetFromHandle(qt::registeredWindowAt(QPoint(Point.x, Point.y)));
    // A disabled window gives the point to its nearest enabled parent.
    while (w && (!w->isEnabled() || !qt::handleOfWidget(w))) w = w->parentWidget();
    return qt::handleOfWidget(w);
}

HWND GetCapture() {
    return qt::handleOfWidget(QWidget::mouseGrabber());
}

HWND SetCapture(HWND hWnd) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w || !w->isVisible()) return 0;
    const HWND previous = GetCapture();
    w->grabMouse();
    return previous;
}

BOOL ReleaseCapture() {
    if (QWidget* w = QWidget::mouseGrabber()) w->releaseMouse();
    return TRUE_;
}

} // namespace vx::win
