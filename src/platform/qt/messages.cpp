#include "platform/messages.h"
#include "platform/qt/font_table.h"
#include "platform/qt/window_table.h"
#include <QAbstractButton>
#include <QApplication>

namespace vx::win {
namespace {

const char* kFontProperty = "vxHfont";

LRESULT setFont(QWidget* w, HFONT font, bool redraw) {
    if (const QFont* f = qt::fontFromHandle(font))
        w->setFont(*f);
    else
        w->setFont(QFont()); // the system font, as for a handle that is not a font
    w->setProperty(kFontProperty, font);
    if (redraw) w->update();
    return 0;
}

} // namespace

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w) return 0;
    switch (msg) {
    case WM_SETFONT: return setFont(w, static_cast<HFONT>(wParam), (lParam & 0xFFFF) != 0);
    case WM_GETFONT: return w->property(kFontProperty).toInt();
    case BM_CLICK:
        if (auto* b = qobject_cast<QAbstractButton*>(w)) b->click();
        return 0;
    default: return 0;
    }
}

} // namespace vx::win
