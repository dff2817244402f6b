#pragma once
// A widget that shows a persistent image of its client area: drawing goes into the image
// and every repaint copies it to the screen, pixel for pixel.
#include "host/qt/event_sink.h"
#include "platform/qt/device_context.h"
#include <QImage>
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

    QImage img_;
    int border_ = 0;
    bool leftPressed_ = false;
    bool imageInUse_ = false;
};

int buttonMask(Qt::MouseButtons b);
int shiftMask(Qt::KeyboardModifiers m);

} // namespace vx::hostqt
