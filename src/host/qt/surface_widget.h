#pragma once
// A widget that shows a persistent image of its client area: drawing goes into the image
// and every repaint copies it to the screen, pixel for pixel. With the persistent image
// switched off, drawing goes to a frame of its own that starts as a copy of the persistent
// image and is what the window shows; the persistent image keeps what was drawn before.
// Repaints after drawing are paced to the screen's frame rate, so drawing at a high rate
// does not repaint more often than the screen can show.
#include "host/qt/event_sink.h"
#include "platform/qt/device_context.h"
#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

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
    // On: drawing goes to the persistent image. Off: drawing goes straight to the window.
    void setPersistent(bool on);
    bool persistent() const { return !direct_; }
    // The persistent image, also while drawing goes to the window.
    const QImage& persistentImage() const { return img_; }

    QImage* image() override;
    void imageChanged(const QRect& deviceRect) override;
    QWidget* widget() override { return this; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
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
    void syncImageSize();
    QPointF toDevice(const QPointF& logical) const;
    void present();
    int frameMs() const;

    QImage img_;
    QImage frame_; // what the window shows while drawing goes straight to it
    bool direct_ = false;
    QRegion pending_; // drawn but not yet asked to repaint
    QTimer presentTimer_;
    QElapsedTimer lastPaint_;
    int border_ = 0;
    bool leftPressed_ = false;
    bool imageInUse_ = false;
};

int buttonMask(Qt::MouseButtons b);
int shiftMask(Qt::KeyboardModifiers m);

} // namespace vx::hostqt
