#include "host/canvas.h"
#include "host/errors.h"
#include "host/numeric.h"
#include "host/qt/canvas_state.h"
#include "host/qt/qt_util.h"
#include "host/screen.h"
#include "platform/qt/device_context.h"
#include "platform/qt/window_table.h"
#include <QFontMetricsF>
#include <QPainter>

namespace vx {
using hostqt::CanvasState;

namespace hostqt {

double CanvasState::dpr() const {
    return widget ? widget->devicePixelRatioF() : devicePixelRatio();
}

QSize CanvasState::deviceSize() const {
    return widget ? widget->clientDeviceSize() : QSize();
}

double CanvasState::toDeviceX(double v) const {
    switch (scaleMode) {
    case vbPixels: return v;
    case vbUser: return (v - scaleLeft) * deviceSize().width() / scaleWidth;
    default: return v / (kTwipsPerLogicalPixel / dpr());
    }
}

double CanvasState::toDeviceY(double v) const {
    switch (scaleMode) {
    case vbPixels: return v;
    case vbUser: return (v - scaleTop) * deviceSize().height() / scaleHeight;
    default: return v / (kTwipsPerLogicalPixel / dpr());
    }
}

double CanvasState::fromDeviceX(double px) const {
    switch (scaleMode) {
    case vbPixels: return px;
    case vbUser: return px * scaleWidth / std::max(1, deviceSize().width());
    default: return px * (kTwipsPerLogicalPixel / dpr());
    }
}

double CanvasState::fromDeviceY(double px) const {
    switch (scaleMode) {
    case vbPixels: return px;
    case vbUser: return px * scaleHeight / std::max(1, deviceSize().height());
    default: return px * (kTwipsPerLogicalPixel / dpr());
    }
}

void CanvasState::syncDC() {
    if (auto* dc = win::qt::dcFromHandle(hdc)) {
        dc->textColor = toQColor(fore);
        dc->backColor = toQColor(back);
        dc->font = toQFont(*font, dpr());
        dc->bkMode = fontTransparent ? win::qt::TRANSPARENT_ : win::qt::OPAQUE_;
    }
}

CanvasState& stateOf(Canvas& c) {
    return c.cs();
}
QWidget* containerWidget(Canvas& c) {
    c.needSurface();
    return c.cs().widget;
}

} // namespace hostqt

Canvas::Canvas() : c_(std::make_unique<CanvasState>()) {}
Canvas::~Canvas() {
    win::qt::deleteDC(c_->hdc);
}

void Canvas::releaseSurface() {
    win::qt::deleteDC(c_->hdc);
    c_->hdc = 0;
    c_->widget = nullptr;
}

OleColor Canvas::BackColor() const {
    return c_->back;
}
void Canvas::setBackColor(OleColor c) {
    c_->back = c;
    if (c_->widget) c_->widget->setColour(hostqt::toQColor(c));
    c_->syncDC();
    backColorSet();
}

OleColor Canvas::ForeColor() const {
    return c_->fore;
}
void Canvas::setForeColor(OleColor c) {
    c_->fore = c;
    c_->syncDC();
}

Boolean Canvas::AutoRedraw() const {
    return toBoolean(c_->autoRedraw);
}
// Drawing goes to the persistent image while this is on, and straight to the window while
// it is off; switching it off keeps the persistent image as it was.
void Canvas::setAutoRedraw(Boolean on) {
    const bool was = c_->autoRedraw;
    c_->autoRedraw = on != vbFalse;
    if (c_->widget && was != c_->autoRedraw) c_->widget->setPersistent(c_->autoRedraw);
}
Boolean Canvas::FontTransparent() const {
    return toBoolean(c_->fontTransparent);
}
void Canvas::setFontTransparent(Boolean on) {
    c_->fontTransparent = on != vbFalse;
    c_->syncDC();
}

const FontRef& Canvas::Font() const {
    return c_->font;
}
void Canvas::setFont(FontRef f) {
    if (!f) raiseError(errInvalidProperty);
    c_->font = std::move(f);
    c_->syncDC();
}

void Canvas::Cls() {
    needSurface();
    c_->widget->clearImage(hostqt::toQColor(c_->back));
    c_->curX = ScaleLeft();
    c_->curY = ScaleTop();
}

void Canvas::Refresh() {
    needSurface();
    c_->widget->refresh();
}

Integer Canvas::ScaleMode() const {
    return c_->scaleMode;
}
void Canvas::setScaleMode(Integer mode) {
    if (mode != vbUser && mode != vbTwips && mode != vbPixels) raiseError(errInvalidProperty);
    c_->scaleMode = mode;
}

void Canvas::Scale(Single x1, Single y1, Single x2, Single y2) {
    if (x1 == x2 || y1 == y2) raiseError(errInvalidCall);
    c_->scaleMode = vbUser;
    c_->scaleLeft = x1;
    c_->scaleTop = y1;
    c_->scaleWidth = x2 - x1;
    c_->scaleHeight = y2 - y1;
}

void Canvas::ScaleDefault() {
    c_->scaleMode = vbTwips;
    c_->scaleLeft = c_->scaleTop = 0;
}

Single Canvas::ScaleLeft() const {
    return c_->scaleMode == vbUser ? c_->scaleLeft : 0;
}
Single Canvas::ScaleTop() const {
    return c_->scaleMode == vbUser ? c_->scaleTop : 0;
}
Single Canvas::ScaleWidth() const {
    const_cast<Canvas*>(this)->needSurface();
    return c_->scaleMode == vbUser ? c_->scaleWidth : c_->fromDeviceX(c_->deviceSize().width());
}
Single Canvas::ScaleHeight() const {
    const_cast<Canvas*>(this)->needSurface();
    return c_->scaleMode == vbUser ? c_->scaleHeight : c_->fromDeviceY(c_->deviceSize().height());
}

Single Canvas::CurrentX() const {
    return c_->curX;
}
void Canvas::setCurrentX(Single x) {
    c_->curX = x;
}
Single Canvas::CurrentY() const {
    return c_->curY;
}
void Canvas::setCurrentY(Single y) {
    c_->curY = y;
}

void Canvas::LineBF(Single x1, Single y1, Single x2, Single y2, OleColor color) {
    needSurface();
    QImage* img = c_->widget->image();
    int ax = static_cast<int>(roundHalfEven(c_->toDeviceX(x1)));
    int ay = static_cast<int>(roundHalfEven(c_->toDeviceY(y1)));
    int bx = static_cast<int>(roundHalfEven(c_->toDeviceX(x2)));
    int by = static_cast<int>(roundHalfEven(c_->toDeviceY(y2)));
    if (ax > bx) std::swap(ax, bx);
    if (ay > by) std::swap(ay, by);
    // Both corners are inside the box, as on the classic desktop.
    const QRect box = QRect(ax, ay, bx - ax + 1, by - ay + 1).intersected(img->rect());
    if (box.isEmpty()) return;
    QPainter p(img);
    p.fillRect(box, hostqt::toQColor(color));
    c_->widget->imageChanged(box);
    c_->curX = x2;
    c_->curY = y2;
}

void Canvas::Print(const String& text) {
    needSurface();
    QImage* img = c_->widget->image();
    const QFont f = hostqt::toQFont(*c_->font, c_->dpr());
    const QFontMetricsF fm(f, img);
    const QString s = QString::fromStdU16String(text);
    const QPointF at(c_->toDeviceX(c_->curX), c_->toDeviceY(c_->curY));
    const QRectF box(at, QSizeF(fm.horizontalAdvance(s), fm.height()));
    {
        QPainter p(img);
        if (!c_->fontTransparent) p.fillRect(box, hostqt::toQColor(c_->back));
        p.setFont(f);
        p.setPen(hostqt::toQColor(c_->fore));
        p.drawText(QPointF(at.x(), at.y() + fm.ascent()), s);
    }
    c_->widget->imageChanged(box.toAlignedRect());
    c_->curX = ScaleLeft();
    c_->curY += c_->fromDeviceY(fm.height());
}

Single Canvas::TextWidth(const String& text) {
    needSurface();
    const QFontMetricsF fm(hostqt::toQFont(*c_->font, c_->dpr()), c_->widget->image());
    return static_cast<Single>(
        c_->fromDeviceX(fm.horizontalAdvance(QString::fromStdU16String(text))));
}

Single Canvas::TextHeight(const String&) {
    needSurface();
    const QFontMetricsF fm(hostqt::toQFont(*c_->font, c_->dpr()), c_->widget->image());
    return static_cast<Single>(c_->fromDeviceY(fm.height()));
}

win::HDC Canvas::hDC() {
    needSurface();
    if (!win::qt::dcFromHandle(c_->hdc)) {
        c_->hdc = win::qt::createDC(c_->widget.data());
        c_->syncDC();
    }
    return c_->hdc;
}

win::HWND Canvas::hWnd() {
    needSurface();
    return win::qt::handleOfWidget(c_->widget);
}

} // namespace vx
