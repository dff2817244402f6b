#pragma once
// A device context over an image of its own, white, with black text in a large face.
#include "host/font.h"
#include "host/qt/qt_util.h"
#include "platform/qt/device_context.h"
#include <algorithm>
#include <climits>

namespace vx::test {

// The bounds of the pixels that are not the background.
struct Ink {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    bool any() const { return right >= 0; }
};

inline Ink inkOf(const QImage& img, QRgb back, QRect area = {}) {
    if (area.isNull()) area = img.rect();
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) != back) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

class ScratchDC : public win::qt::DrawTarget {
  public:
    ScratchDC(int width, int height) : img_(width, height, QImage::Format_RGB32) {
        img_.fill(Qt::white);
        hostqt::registerFonts();
        dc = win::qt::createDC(this);
        ctx().font = hostqt::toQFont(*StdFont::make("Courier New", 14.25, true), 1.0);
        ctx().textColor = Qt::black;
        ctx().bkMode = win::qt::TRANSPARENT_;
    }
    ~ScratchDC() override { win::qt::deleteDC(dc); }
    ScratchDC(const ScratchDC&) = delete;
    ScratchDC& operator=(const ScratchDC&) = delete;

    win::qt::DeviceContext& ctx() { return *win::qt::dcFromHandle(dc); }
    const QImage& picture() const { return img_; }
    void clear() { img_.fill(Qt::white); }

    QImage* image() override { return &img_; }
    void imageChanged(const QRect&) override {}
    QWidget* widget() override { return nullptr; }

    win::HDC dc = 0;

  private:
    QImage img_;
};

} // namespace vx::test
