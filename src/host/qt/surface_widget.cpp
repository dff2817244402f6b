#include "host/qt/surface_widget.h"
#include "host/events.h"
#include "platform/qt/vk_map.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vx::hostqt {

int buttonMask(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

SurfaceWidget::SurfaceWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void SurfaceWidget::setBorder(int logicalPx) {
    border_ = logicalPx;
    syncImageSize();
    update();
}

QSize SurfaceWidget::clientDeviceSize() const {
    const double dpr = devicePixelRatioF();
    const QSize logical = size() - QSize(2 * border_, 2 * border_);
    return QSize(std::max(0, static_cast<int>(std::lround(logical.width() * dpr))),
                 std::max(0, static_cast<int>(std::lround(logical.height() * dpr))));
}

void SurfaceWidget::syncImageSize() {
    if (img_.isNull() && !imageInUse_) return; // plain colour until something is drawn
    const QSize want = clientDeviceSize();
    if (img_.size() == want) return;
    QImage next(want, QImage::Format_RGB32);
    next.fill(fill);
    if (!img_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, img_);
    }
    img_ = std::move(next);
}

QImage* SurfaceWidget::image() {
    imageInUse_ = true;
    syncImageSize();
    return &img_;
}

void SurfaceWidget::clearImage(const QColor& c) {
    fill = c;
    if (!img_.isNull()) img_.fill(c);
    update();
}

void SurfaceWidget::imageChanged(const QRect& deviceRect) {
    const double dpr = devicePixelRatioF();
    const QRect logical(static_cast<int>(std::floor(deviceRect.x() / dpr)) + border_,
                        static_cast<int>(std::floor(deviceRect.y() / dpr)) + border_,
                        static_cast<int>(std::ceil(deviceRect.width() / dpr)) + 2,
                        static_cast<int>(std::ceil(deviceRect.height() / dpr)) + 2);
    update(logical);
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    syncImageSize();
    QPainter p(this);
    if (border_ > 0) {
        // Sunken 3-D edge: two dark lines top and left, two light lines bottom and right.
        const QRect r = rect();
        const QColor outerDark(0x80, 0x80, 0x80), innerDark(0x40, 0x40, 0x40);
        const QColor outerLight(0xFF, 0xFF, 0xFF), innerLight(0xD4, 0xD0, 0xC8);
        p.fillRect(r, innerLight);
        p.setPen(outerDark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(outerLight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(innerDark);
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    }
    if (img_.isNull()) {
        p.fillRect(rect().adjusted(border_, border_, -border_, -border_), fill);
        return;
    }
    QImage shown = img_;
    shown.setDevicePixelRatio(devicePixelRatioF());
    p.drawImage(QPoint(border_, border_), shown);
}

void SurfaceWidget::resizeEvent(QResizeEvent*) {
    syncImageSize();
    if (sink) sink->sinkResize();
}

void SurfaceWidget::showEvent(QShowEvent*) {
    if (sink) sink->sinkShow();
}

QPointF SurfaceWidget::toDevice(const QPointF& logical) const {
    return (logical - QPointF(border_, border_)) * devicePixelRatioF();
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    if (!sink) return;
    const QPointF d = toDevice(e->position());
    sink->sinkMouseDown(buttonMask(e->button()), shiftMask(e->modifiers()), d.x(), d.y());
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!sink) return;
    const QPointF d = toDevice(e->position());
    sink->sinkMouseMove(buttonMask(e->buttons()), shiftMask(e->modifiers()), d.x(), d.y());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = e->button() == Qt::LeftButton && leftPressed_ && rect().contains(e->pos());
    if (e->button() == Qt::LeftButton) leftPressed_ = false;
    if (!sink) return;
    const QPointF d = toDevice(e->position());
    sink->sinkMouseUp(buttonMask(e->button()), shiftMask(e->modifiers()), d.x(), d.y());
    if (click && sink) sink->sinkClick();
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    if (sink) sink->sinkDblClick();
}

void SurfaceWidget::keyPressEvent(QKeyEvent* e) {
    if (!sink) return;
    sink->sinkKeyDown(win::qt::vkForKeyEvent(*e), shiftMask(e->modifiers()));
    if (sink && !e->text().isEmpty()) sink->sinkKeyPress(e->text().at(0).unicode());
}

void SurfaceWidget::keyReleaseEvent(QKeyEvent* e) {
    if (sink) sink->sinkKeyUp(win::qt::vkForKeyEvent(*e), shiftMask(e->modifiers()));
}

void SurfaceWidget::focusInEvent(QFocusEvent*) {
    if (sink) sink->sinkFocusIn();
}

void SurfaceWidget::focusOutEvent(QFocusEvent*) {
    if (sink) sink->sinkFocusOut();
}

void SurfaceWidget::closeEvent(QCloseEvent* e) {
    // The owner decides; it unloads the form once this event has returned.
    e->ignore();
    if (sink) sink->sinkCloseRequest();
}

} // namespace vx::hostqt
