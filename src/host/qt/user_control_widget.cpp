#include "host/qt/user_control_widget.h"
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vx::hostqt {

UserControlWidget::UserControlWidget(QWidget* parent) : SurfaceWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void UserControlWidget::setTransparent(bool on) {
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void UserControlWidget::paintEvent(QPaintEvent* e) {
    if (!transparent_) {
        SurfaceWidget::paintEvent(e);
        return;
    }
    QImage keyed = image()->convertToFormat(QImage::Format_ARGB32);
    const QRgb key = fill.rgb() & 0xFFFFFF;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
    }
    keyed.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(this);
    p.drawImage(QPoint(border(), border()), keyed);
    if (border() > 0) {
        const QRect r = rect();
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

void UserControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // Only the left button double-clicks; another button's second press is a press.
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    afterDoubleClick_ = true;
    if (sink) sink->sinkDblClick();
}

void UserControlWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (!afterDoubleClick_ || e->button() != Qt::LeftButton) {
        SurfaceWidget::mouseReleaseEvent(e);
        return;
    }
    afterDoubleClick_ = false;
    if (!sink) return;
    const QPointF d = (e->position() - QPointF(border(), border())) * devicePixelRatioF();
    sink->sinkMouseUp(buttonMask(e->button()), shiftMask(e->modifiers()), d.x(), d.y());
}

void UserControlWidget::focusInEvent(QFocusEvent* e) {
    if (focusReported_) return;
    focusReported_ = true;
    SurfaceWidget::focusInEvent(e);
}

void UserControlWidget::focusOutEvent(QFocusEvent* e) {
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (!focusReported_) return;
    focusReported_ = false;
    SurfaceWidget::focusOutEvent(e);
}

} // namespace vx::hostqt
