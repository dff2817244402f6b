#include "host/qt/surface_widget.h"
#include "host/events.h"
#include "host/qt/box_compose.h"
#include "platform/qt/vk_map.h"
#include "platform/qt/window_table.h"
#include "platform/qt/x11_cover.h"
#include "platform/qt/x11_curtain.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <utility>

namespace vx::hostqt {

int buttonMask(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

namespace {
// Many small areas cost more to track and repaint than the one area around them.
void addArea(QRegion& region, const QRect& area) {
    region =
        region.rectCount() < 32 ? region.united(area) : QRegion(region.boundingRect().united(area));
}

// The image at a new size: the old picture at the top left, new areas in the fill colour.
QImage resized(const QImage& old, const QSize& want, const QColor& fill) {
    QImage next(want, QImage::Format_RGB32);
    next.fill(fill);
    if (!old.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, old);
    }
    return next;
}
} // namespace

SurfaceWidget::SurfaceWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    presentTimer_.setSingleShot(true);
    presentTimer_.setTimerType(Qt::PreciseTimer);
    connect(&presentTimer_, &QTimer::timeout, this, [this] { present(); });
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
    if (img_.size() != want) img_ = resized(img_, want, fill);
    if (!frame_.isNull() && frame_.size() != want) frame_ = resized(frame_, want, fill);
}

void SurfaceWidget::baseChanged(const QRect& deviceRect) {
    if (!composed_.isNull()) composeDirty_ = composeDirty_.united(deviceRect);
}

QImage* SurfaceWidget::image() {
    if (!imageInUse_) {
        imageInUse_ = true;
        syncServerBackground();
    }
    syncImageSize();
    if (!direct_) return &img_;
    if (frame_.isNull()) frame_ = img_; // shared until the first drawing
    return &frame_;
}

void SurfaceWidget::clearImage(const QColor& c) {
    fill = c;
    if (!img_.isNull()) img_.fill(c);
    if (!frame_.isNull()) frame_ = img_;
    baseChanged(composed_.rect());
    syncServerBackground();
    update();
}

void SurfaceWidget::setColour(const QColor& c) {
    colourWhileHidden_ = !isVisible();
    clearImage(c);
}

// A window shown and then given one colour shows it from the moment a window manager maps
// it, before its first paint, and an expose is filled at once; so does a full-screen window
// given its colour while hidden (setColour). Not a colour it only had when it was shown, nor
// one left from before it was hidden: on a bare server the map comes at once, before the
// program has drawn what the window is for (a grid over the colour, say), and without a
// background what was on the screen stays until the first paint.
void SurfaceWidget::syncServerBackground() {
    const bool plain = isVisible() && img_.isNull() && !imageInUse_ && lights_.empty();
    setServerBackground(plain ? std::optional(fill) : std::nullopt);
}

void SurfaceWidget::setServerBackground(std::optional<QColor> colour) {
    if (!isWindow() || !internalWinId() || colour == serverBack_) return;
    serverBack_ = colour;
    win::qt::setServerBackground(this, colour);
}

void SurfaceWidget::hideEvent(QHideEvent*) {
    colourWhileHidden_ = false;
    setServerBackground(std::nullopt);
    win::qt::curtainPixel(this, std::nullopt); // hidden before it reached the screen
}

void SurfaceWidget::setPersistent(bool on) {
    if (on != direct_) return;
    direct_ = !on;
    // Switching off keeps the persistent image as it is; switching on shows it again.
    frame_ = direct_ ? img_ : QImage();
    baseChanged(composed_.rect());
    if (on) update();
}

void SurfaceWidget::refresh() {
    if (!isVisible()) return;
    if (holdFrames_) {
        update();
    } else if (!unpainted_.isEmpty()) {
        presentTimer_.stop();
        pending_ = QRegion();
        repaint(unpainted_);
    }
}

void SurfaceWidget::retire() {
    win::qt::unregisterWindow(this);
    retired_ = true;
    presentTimer_.stop();
    // Posted as the repaint manager posts its own, so that the window goes at the same moment
    // as a new picture would come.
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

SurfaceWidget* SurfaceWidget::takeBack(QPointer<SurfaceWidget>& kept) {
    SurfaceWidget* w = kept.data();
    kept = nullptr;
    if (!w || !w->retired_) return nullptr;
    w->retired_ = false;
    w->setServerBackground(std::nullopt);
    w->holdFrames_ = true;
    w->img_ = QImage();
    w->frame_ = QImage();
    w->direct_ = false;
    w->imageInUse_ = false;
    w->colourWhileHidden_ = false;
    w->pending_ = QRegion();
    w->unpainted_ = QRegion();
    w->leftPressed_ = false;
    w->grabbing_ = false;
    w->grabLight_ = nullptr;
    w->baseChanged(w->composed_.rect());
    w->update();
    return w;
}

bool SurfaceWidget::event(QEvent* e) {
    if (e->type() == QEvent::UpdateRequest && retired_ && isVisible()) {
        hide();
        img_ = QImage(); // its pictures are drawn anew when it is taken back
        frame_ = QImage();
    }
    return QWidget::event(e);
}

// A little under the screen's refresh interval, so that a timer that fires late still gives
// every refresh a new picture.
int SurfaceWidget::frameMs() const {
    const QScreen* s = screen();
    double hz = s ? s->refreshRate() : 60.0;
    if (!(hz >= 30.0 && hz <= 500.0)) hz = 60.0;
    return std::max(1, static_cast<int>(1000.0 / hz) - 1);
}

void SurfaceWidget::present() {
    update(pending_);
    pending_ = QRegion();
}

void SurfaceWidget::imageChanged(const QRect& deviceRect) {
    baseChanged(deviceRect);
    const double dpr = devicePixelRatioF();
    const QRect logical(static_cast<int>(std::floor(deviceRect.x() / dpr)) + border_,
                        static_cast<int>(std::floor(deviceRect.y() / dpr)) + border_,
                        static_cast<int>(std::ceil(deviceRect.width() / dpr)) + 2,
                        static_cast<int>(std::ceil(deviceRect.height() / dpr)) + 2);
    addArea(pending_, logical);
    addArea(unpainted_, logical & rect()); // a paint reaches no further than the widget
    if (presentTimer_.isActive()) return;
    const qint64 since = lastPaint_.isValid() ? lastPaint_.elapsed() : frameMs();
    if (since >= frameMs())
        present();
    else
        presentTimer_.start(static_cast<int>(frameMs() - since));
}

void SurfaceWidget::paintEvent(QPaintEvent* e) {
    holdFrames_ = false;
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
    lastPaint_.restart();
    unpainted_ -= e->region();
    if (!lights_.empty()) {
        paintComposed(p, e->rect());
        return;
    }
    composed_ = QImage(); // nothing lies over the picture any more
    const QImage& src = shownImage();
    if (src.isNull()) {
        p.fillRect(rect().adjusted(border_, border_, -border_, -border_), fill);
        return;
    }
    // A view of the same pixels that carries the scale factor: tagging a shared copy with
    // it would copy the whole image on every repaint.
    QImage view(const_cast<uchar*>(src.constBits()), src.width(), src.height(), src.bytesPerLine(),
                src.format());
    view.setDevicePixelRatio(devicePixelRatioF());
    p.drawImage(QPoint(border_, border_), view);
}

const QImage& SurfaceWidget::shownImage() const {
    return direct_ && !frame_.isNull() ? frame_ : img_;
}

// The image a painter on this window paints into: the window's backing store, where it is
// a 32-bit image of the window at one device pixel per pixel, the window at its top left;
// else null (a rendering into another picture, say, at an offset).
static QImage* backingImage(QPainter& p, const QSize& window) {
    if (!p.deviceTransform().isIdentity()) return nullptr;
    QPaintEngine* engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(device);
    const auto format = image->format();
    const bool rgb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    if (!rgb32 || image->devicePixelRatio() != 1.0 || image->width() < window.width() ||
        image->height() < window.height())
        return nullptr;
    return image;
}

// One pass over the picture paints every light child. A top-level window without an edge
// gets them straight in its backing store, for the area being painted: a picture of the
// screen's size (33 MB at 3840 x 2160) is neither allocated nor copied on every frame. Other
// windows keep the composed picture and paint again only what changed.
void SurfaceWidget::paintComposed(QPainter& p, const QRect& logicalArea) {
    const QSize size = clientDeviceSize();
    const auto visibleBoxes = [this] {
        std::vector<SolidBox> boxes;
        boxes.reserve(lights_.boxes().size());
        for (const LightLayer::Box& b : lights_.boxes())
            if (b.visible) boxes.push_back({deviceRectOf(b.rect), b.colour});
        return boxes;
    };
    if (isWindow() && border_ == 0 && devicePixelRatioF() == 1.0)
        if (QImage* target = backingImage(p, size)) {
            composed_ = QImage();
            composeBoxes(*target, logicalArea.intersected(QRect(QPoint(0, 0), size)), shownImage(),
                         fill.rgb(), visibleBoxes());
            return;
        }
    if (composed_.size() != size) {
        composed_ = QImage(size, QImage::Format_RGB32);
        composeDirty_ = composed_.rect();
    }
    if (!composeDirty_.isEmpty()) {
        const auto boxes = visibleBoxes();
        composeBoxes(composed_, composeDirty_, shownImage(), fill.rgb(), boxes);
        composeDirty_ = QRect();
    }
    QImage view(composed_.constBits(), composed_.width(), composed_.height(),
                composed_.bytesPerLine(), composed_.format());
    view.setDevicePixelRatio(devicePixelRatioF());
    p.drawImage(QPoint(border_, border_), view);
}

// Edges rounded one by one, so that boxes side by side stay side by side in device pixels.
QRect SurfaceWidget::deviceRectOf(const QRect& logical) const {
    const double dpr = devicePixelRatioF();
    const auto at = [&](int v) { return static_cast<int>(std::lround((v - border_) * dpr)); };
    const int x0 = at(logical.x()), y0 = at(logical.y());
    return QRect(x0, y0, at(logical.x() + logical.width()) - x0,
                 at(logical.y() + logical.height()) - y0);
}

void SurfaceWidget::lightAreaChanged(const QRect& logical) {
    if (logical.isEmpty()) return;
    baseChanged(deviceRectOf(logical));
    update(logical);
}

void SurfaceWidget::addLight(LightChild* c) {
    lights_.addBottom(c);
    syncServerBackground();
}

void SurfaceWidget::removeLight(LightChild* c) {
    if (grabLight_ == c) {
        grabLight_ = nullptr;
        grabLightGone_ = true;
    }
    lightAreaChanged(lights_.remove(c));
}

void SurfaceWidget::setLight(LightChild* c, const QRect& rect, const QColor& colour, bool visible) {
    lightAreaChanged(lights_.set(c, rect, colour.rgb(), visible));
}

void SurfaceWidget::raiseLight(LightChild* c) {
    lightAreaChanged(lights_.raise(c));
}

void SurfaceWidget::lowerLight(LightChild* c) {
    lightAreaChanged(lights_.lower(c));
}

void SurfaceWidget::makeLightsWidgets() {
    if (lights_.empty()) return;
    std::vector<LightChild*> children;
    for (const LightLayer::Box& b : lights_.boxes()) {
        children.push_back(b.child);
        lightAreaChanged(b.visible ? b.rect : QRect());
    }
    if (grabLight_) grabLightGone_ = true; // the press went to what is now another widget
    grabLight_ = nullptr;
    lights_.takeAll();
    for (LightChild* c : children) c->becomeWidget();
}

bool SurfaceWidget::hasShownChildWidgets() const {
    for (const QObject* o : children())
        if (o->isWidgetType() && !static_cast<const QWidget*>(o)->isHidden()) return true;
    return false;
}

void SurfaceWidget::resizeEvent(QResizeEvent*) {
    syncImageSize();
    if (sink) sink->sinkResize();
}

void SurfaceWidget::showEvent(QShowEvent*) {
    if (isWindow()) {
        win::qt::paintOnlyWhenSeen(this);
        // Before Qt maps it: a window manager holds the server while it takes the window in.
        if (std::exchange(colourWhileHidden_, false) && isFullScreen()) {
            win::qt::awaitScreen(this);
            serverBack_.reset();
            syncServerBackground();
        }
    }
    if (sink) sink->sinkShow();
}

SurfaceWidget::MouseTarget SurfaceWidget::mouseTarget(const QPointF& at) const {
    if (LightChild* c = lights_.empty() ? nullptr : lights_.at(at.toPoint()))
        return {c->lightSink(), c, lights_.find(c)->rect};
    return {sink, nullptr, rect()};
}

// A press with no other button down decides where input goes until the last button is up;
// if that light child goes meanwhile, the rest of the input goes nowhere.
SurfaceWidget::MouseTarget SurfaceWidget::grabTarget(QMouseEvent* e) {
    const bool press =
        e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    if (press && (e->buttons() & ~e->button()) == Qt::NoButton) {
        const MouseTarget t = mouseTarget(e->position());
        grabbing_ = true;
        grabLight_ = t.light;
        grabLightGone_ = false;
        return t;
    }
    if (!grabbing_) return mouseTarget(e->position());
    if (grabLightGone_) return {};
    if (!grabLight_) return {sink, nullptr, rect()};
    return {grabLight_->lightSink(), grabLight_, lights_.find(grabLight_)->rect};
}

QPointF SurfaceWidget::toDevice(const MouseTarget& t, const QPointF& logical) const {
    const double edge = t.light ? 0 : border_;
    return (logical - QPointF(t.area.topLeft()) - QPointF(edge, edge)) * devicePixelRatioF();
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    const MouseTarget t = grabTarget(e);
    if (!t.sink) return;
    const QPointF d = toDevice(t, e->position());
    t.sink->sinkMouseDown(buttonMask(e->button()), shiftMask(e->modifiers()), d.x(), d.y());
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* e) {
    const bool held = grabbing_ && e->buttons() != Qt::NoButton;
    const MouseTarget t = held ? grabTarget(e) : mouseTarget(e->position());
    if (!t.sink) return;
    const QPointF d = toDevice(t, e->position());
    t.sink->sinkMouseMove(buttonMask(e->buttons()), shiftMask(e->modifiers()), d.x(), d.y());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* e) {
    const MouseTarget t = grabTarget(e);
    const bool click =
        e->button() == Qt::LeftButton && leftPressed_ && t.area.contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton) leftPressed_ = false;
    if (t.sink) {
        const QPointF d = toDevice(t, e->position());
        t.sink->sinkMouseUp(buttonMask(e->button()), shiftMask(e->modifiers()), d.x(), d.y());
    }
    // The handler may have unloaded the form, and the light child with it.
    const bool stillThere = t.light ? grabLight_ == t.light && !grabLightGone_ : sink != nullptr;
    if (e->buttons() == Qt::NoButton) {
        grabbing_ = false;
        grabLight_ = nullptr;
    }
    if (click && t.sink && stillThere) (t.light ? t.sink : sink)->sinkClick();
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) leftPressed_ = true;
    const MouseTarget t = grabTarget(e);
    if (t.sink) t.sink->sinkDblClick();
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
