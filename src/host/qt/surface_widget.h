#pragma once
// A widget that shows a persistent image of its client area: drawing goes into the image
// and every repaint copies it to the screen, pixel for pixel. With the persistent image
// switched off, drawing goes to a frame of its own that starts as a copy of the persistent
// image and is what the window shows; the persistent image keeps what was drawn before.
// Repaints after drawing are paced to the screen's frame rate, so drawing at a high rate
// does not repaint more often than the screen can show. Light children (boxes of one colour
// without a widget of their own) are painted over the picture in the same pass and get the
// mouse input over them.
#include "host/qt/event_sink.h"
#include "host/qt/light_layer.h"
#include "platform/qt/device_context.h"
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace vx::hostqt {

class SurfaceWidget : public QWidget, public win::qt::DrawTarget {
  public:
    SurfaceWidget(QWidget* parent, Qt::WindowFlags flags = {});

    EventSink* sink = nullptr;
    QColor fill = Qt::black; // colour of newly exposed image areas
    void setBorder(int logicalPx);
    int border() const { return border_; }
    QSize clientDeviceSize() const;
    void clearImage(const QColor& c);
    // The window's colour, cleared to: given while the window is hidden, it is the whole
    // picture the window is shown with, and a full-screen window shows it from its map on.
    void setColour(const QColor& c);
    // On: drawing goes to the persistent image. Off: drawing goes straight to the window.
    void setPersistent(bool on);
    bool persistent() const { return !direct_; }
    // The persistent image, also while drawing goes to the window.
    const QImage& persistentImage() const { return img_; }

    QImage* image() override;
    void imageChanged(const QRect& deviceRect) override;
    QWidget* widget() override { return this; }

    // Repaints now what was drawn since the last paint (the rest is on the screen already); a
    // window taken back paints once, when its new picture is complete.
    void refresh();
    // Lets go of the window of an unloaded form: its handle is dead at once, but it stays on
    // the screen with its last picture until the program next paints or serves events, and
    // then leaves it. The form's next load takes it back as it was when new: a window the
    // server and the window manager know already reaches the screen sooner than a new one.
    void retire();
    static SurfaceWidget* takeBack(QPointer<SurfaceWidget>& kept);

    // Light children, each added at the bottom; rect in this widget's logical coordinates.
    virtual bool acceptsLights() const { return true; }
    void addLight(LightChild* c);
    void removeLight(LightChild* c);
    void setLight(LightChild* c, const QRect& rect, const QColor& colour, bool visible);
    void raiseLight(LightChild* c);
    void lowerLight(LightChild* c);
    bool hasLights() const { return !lights_.empty(); }
    // Gives every light child a widget of its own, in their stacking order: widgets always
    // cover what this widget paints.
    void makeLightsWidgets();
    bool hasShownChildWidgets() const;

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void closeEvent(QCloseEvent*) override;

  private:
    // Where mouse input goes: this widget's owner or a light child, and the area its
    // positions are relative to.
    struct MouseTarget {
        EventSink* sink = nullptr;
        LightChild* light = nullptr;
        QRect area;
    };
    MouseTarget mouseTarget(const QPointF& at) const;
    MouseTarget grabTarget(QMouseEvent* e);
    QPointF toDevice(const MouseTarget& t, const QPointF& logical) const;
    void syncImageSize();
    void present();
    int frameMs() const;
    QRect deviceRectOf(const QRect& logical) const;
    void lightAreaChanged(const QRect& logical);
    void baseChanged(const QRect& deviceRect);
    const QImage& shownImage() const;
    void paintComposed(QPainter& p, const QRect& logicalArea);

    QImage img_;
    QImage frame_; // what the window shows while drawing goes straight to it
    bool direct_ = false;
    QRegion pending_;   // drawn but not yet asked to repaint
    QRegion unpainted_; // drawn since it was last painted
    QTimer presentTimer_;
    QElapsedTimer lastPaint_;
    int border_ = 0;
    bool leftPressed_ = false;
    bool imageInUse_ = false;
    bool colourWhileHidden_ = false;
    std::optional<QColor> serverBack_; // what the X server fills the window with, none at first
    void syncServerBackground();
    void setServerBackground(std::optional<QColor> colour);
    LightLayer lights_;
    QImage composed_;       // the picture with the light children over it
    QRect composeDirty_;    // device pixels of composed_ that are out of date
    bool grabbing_ = false; // a button is down: input goes where the first press went
    LightChild* grabLight_ = nullptr;
    bool grabLightGone_ = false;
    bool retired_ = false;
    bool holdFrames_ = false; // taken back: no picture until the new one is complete
};

int buttonMask(Qt::MouseButtons b);
int shiftMask(Qt::KeyboardModifiers m);

} // namespace vx::hostqt
