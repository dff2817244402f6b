#pragma once
// Device contexts: a handle to something to draw into (a window's persistent image, or a
// snapshot of the screen) with the text colour, background mode and font selected into it.
#include "platform/win_types.h"
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vx::win::qt {

// The drawing side of a window, as the host provides it.
class DrawTarget {
  public:
    virtual ~DrawTarget() = default;
    // The persistent image in device pixels, or null when the window is gone.
    virtual QImage* image() = 0;
    // Something was drawn into the image: show it at the next repaint.
    virtual void imageChanged(const QRect& deviceRect) = 0;
    virtual QWidget* widget() = 0;
};

inline constexpr int TRANSPARENT_ = 1;
inline constexpr int OPAQUE_ = 2;

struct DeviceContext {
    DrawTarget* target = nullptr;     // a window's image, or null for a screen snapshot
    std::unique_ptr<QImage> snapshot; // the screen, for GetDC(0)
    QPoint origin;                    // where the context's (0, 0) lies in its image
    bool fromGetDC = false;           // ReleaseDC deletes it
    QColor textColor = Qt::black;
    QColor backColor = Qt::white;
    int bkMode = OPAQUE_;
    QFont font;

    QImage* image() { return target ? target->image() : snapshot.get(); }
    void changed(const QRect& r) {
        if (target) target->imageChanged(r);
    }
};

HDC createDC(DrawTarget* target);
HDC createScreenDC(std::unique_ptr<QImage> snapshot);
DeviceContext* dcFromHandle(HDC hdc);
void deleteDC(HDC hdc);

} // namespace vx::win::qt
