#pragma once
#include "host/font.h"
#include "host/qt/surface_widget.h"
#include "host/vb_types.h"
#include "platform/win_types.h"
#include <QPointer>

namespace vx::hostqt {

struct CanvasState {
    OleColor back = 0x8000000F;
    OleColor fore = 0x80000012;
    bool autoRedraw = false;
    bool fontTransparent = true;
    FontRef font = StdFont::make("Tahoma", 8.25);
    double curX = 0, curY = 0;
    Integer scaleMode = 1;
    double scaleLeft = 0, scaleTop = 0, scaleWidth = 1, scaleHeight = 1; // user scale
    QPointer<SurfaceWidget> widget;
    QPointer<SurfaceWidget> kept; // a form's window left on the screen by its unload
    win::HDC hdc = 0;

    double dpr() const;
    QSize deviceSize() const;
    double toDeviceX(double v) const;
    double toDeviceY(double v) const;
    double fromDeviceX(double px) const; // a length, not a position
    double fromDeviceY(double px) const;
    void syncDC();
};

} // namespace vx::hostqt
