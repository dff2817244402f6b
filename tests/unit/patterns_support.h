#pragma once
// Helpers for the pattern tests: a plain form of a given client size, and its pixels.
#include "host/form.h"
#include "host/qt/canvas_state.h"
#include "platform/qt/window_table.h"
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

namespace vx::test {

class PlainForm : public Form {
  public:
    PlainForm(double widthTwips, double heightTwips, OleColor back = 0x00000000) {
        borderStyle = vbBSNone;
        clientWidth = widthTwips;
        clientHeight = heightTwips;
        setBackColor(back);
    }
};

// The image drawing goes to, in device pixels (0xAARRGGBB).
inline const QImage& drawnImage(Canvas& c) {
    c.hDC(); // makes sure the surface and its image exist
    return *hostqt::stateOf(c).widget->image();
}

inline QWidget* widgetOf(win::HWND h) {
    return win::qt::widgetFromHandle(h);
}

// 0x00BBGGRR of an image pixel.
inline OleColor oleAt(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return static_cast<OleColor>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

// Posts a press (and a release) of the left button at the widget's centre.
inline void postPress(QWidget* w, bool alsoRelease = false) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    if (alsoRelease)
        QCoreApplication::postEvent(w,
                                    new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

} // namespace vx::test
