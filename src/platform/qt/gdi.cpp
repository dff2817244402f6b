#include "platform/gdi.h"
#include "platform/desktop.h"
#include "platform/qt/desktop_face.h"
#include "platform/qt/device_context.h"
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace vx::win {
namespace {

std::function<void(const BitBltCall&)>& observer() {
    static std::function<void(const BitBltCall&)> f;
    return f;
}

// Row by row with memmove, walking upwards when the block moves down inside one image, so
// an overlapping copy reads every source row before it is overwritten.
void copyRows(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int cx, int cy) {
    uchar* dbits = dst.bits(); // detaches a shared image before anything is read
    const uchar* sbits = src.constBits();
    const qsizetype dbpl = dst.bytesPerLine(), sbpl = src.bytesPerLine();
    const std::size_t rowBytes = static_cast<std::size_t>(cx) * 4;
    const bool upwards = dbits == sbits && dy > sy;
    for (int i = 0; i < cy; ++i) {
        const int r = upwards ? cy - 1 - i : i;
        std::memmove(dbits + (dy + r) * dbpl + dx * 4, sbits + (sy + r) * sbpl + sx * 4, rowBytes);
    }
}

ScreenPictureProblem& lastPictureProblem() {
    static ScreenPictureProblem problem = ScreenPictureProblem::NoProblem;
    return problem;
}

bool fourBytesPerPixel(const QImage& img) {
    return img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32;
}

} // namespace

void setBitBltObserver(std::function<void(const BitBltCall&)> f) {
    observer() = std::move(f);
}

HDC GetDC(HWND hWnd) {
    if (hWnd != 0) return 0;
    // No picture is no context: a black one would pass for the screen.
    std::optional<qt::ScreenPicture> pic = qt::desktopFace().grabScreen(lastPictureProblem());
    if (!pic) return 0;
    const HDC h = qt::createScreenDC(std::make_unique<QImage>(std::move(pic->image)));
    qt::DeviceContext* dc = qt::dcFromHandle(h);
    dc->origin = pic->origin;
    dc->fromGetDC = true;
    return h;
}

ScreenPictureProblem screenPictureProblem() {
    return lastPictureProblem();
}

int ReleaseDC(HWND, HDC hDC) {
    const qt::DeviceContext* dc = qt::dcFromHandle(hDC);
    if (!dc || !dc->fromGetDC) return 0;
    qt::deleteDC(hDC);
    return 1;
}

BOOL BitBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (observer()) observer()(BitBltCall{hdcDest, x, y, cx, cy, hdcSrc, x1, y1, rop});
    qt::DeviceContext* d = qt::dcFromHandle(hdcDest);
    qt::DeviceContext* s = qt::dcFromHandle(hdcSrc);
    if (!d || !s || rop != SRCCOPY) return FALSE_;
    QImage* di = d->image();
    QImage* si = s->image();
    if (!di || !si || di->isNull() || si->isNull()) return FALSE_;
    if (cx <= 0 || cy <= 0) return TRUE_;

    // In image coordinates, clipped so that both blocks lie inside their images.
    long long sx = 0LL + x1 + s->origin.x(), sy = 0LL + y1 + s->origin.y();
    long long dx = 0LL + x + d->origin.x(), dy = 0LL + y + d->origin.y();
    long long w = cx, h = cy;
    const long long cutX = std::max({0LL, -sx, -dx}), cutY = std::max({0LL, -sy, -dy});
    sx += cutX, dx += cutX, w -= cutX;
    sy += cutY, dy += cutY, h -= cutY;
    w = std::min({w, si->width() - sx, di->width() - dx});
    h = std::min({h, si->height() - sy, di->height() - dy});
    if (w <= 0 || h <= 0) return TRUE_;

    const QRect to(static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(w),
                   static_cast<int>(h));
    const QPoint from(static_cast<int>(sx), static_cast<int>(sy));
    if (fourBytesPerPixel(*di) && fourBytesPerPixel(*si)) {
        copyRows(*di, to.x(), to.y(), *si, from.x(), from.y(), to.width(), to.height());
    } else {
        const QImage block = si->copy(QRect(from, to.size()));
        QPainter p(di);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(to.topLeft(), block);
    }
    d->changed(to);
    return TRUE_;
}

} // namespace vx::win
