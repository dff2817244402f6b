#include "platform/frame_control.h"
#include "platform/qt/device_context.h"
#include "platform/system.h"
#include <QPainter>

namespace vx::win {
namespace {

inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;

QColor sys(int index) {
    const COLORREF c = GetSysColor(index);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// One ring of a 3-D edge: the top and left lines in one colour, bottom and right in another.
void ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

} // namespace

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
    qt::DeviceContext* dc = qt::dcFromHandle(hdc);
    if (!dc || !lprc || uType != DFC_BUTTON || (uState & 0x1F) != DFCS_BUTTONPUSH) return FALSE_;
    QImage* img = dc->image();
    if (!img || img->isNull()) return FALSE_;
    const QRect r(lprc->left, lprc->top, lprc->right - lprc->left, lprc->bottom - lprc->top);
    if (r.isEmpty()) return TRUE_;
    const bool sunken = uState & (DFCS_PUSHED | DFCS_CHECKED | DFCS_FLAT);
    QPainter p(img);
    p.translate(dc->origin);
    p.fillRect(r, sys(COLOR_BTNFACE));
    if (sunken) {
        ring(p, r, sys(COLOR_3DDKSHADOW), sys(COLOR_BTNHIGHLIGHT));
        ring(p, r.adjusted(1, 1, -1, -1), sys(COLOR_BTNSHADOW), sys(COLOR_3DLIGHT));
    } else {
        ring(p, r, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_3DDKSHADOW));
        ring(p, r.adjusted(1, 1, -1, -1), sys(COLOR_3DLIGHT), sys(COLOR_BTNSHADOW));
    }
    p.end();
    const QRect area = r.translated(dc->origin) & img->rect();
    if (!area.isEmpty()) dc->changed(area);
    return TRUE_;
}

} // namespace vx::win
