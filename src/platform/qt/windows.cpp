#include "platform/windows.h"
#include "platform/qt/window_table.h"
#include "platform/qt/x11_stacking.h"
#include "platform/qt/x11_window.h"
#include "platform/shell.h"

namespace vx::win {

BOOL IsWindow(HWND hWnd) {
    return qt::widgetFromHandle(hWnd) ? TRUE_ : FALSE_;
}

BOOL SetForegroundWindow(HWND hWnd) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w || !w->isWindow()) return FALSE_;
    qt::raiseToFront(w);
    // The window that has the focus keeps it without another request to the window manager.
    if (!w->isActiveWindow()) w->activateWindow();
    return TRUE_;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w || !w->isWindow()) return FALSE_;
    const BOOL wasVisible = w->isVisible() ? TRUE_ : FALSE_;
    if (nCmdShow != SW_SHOWNORMAL && nCmdShow != SW_RESTORE) return wasVisible;
    if (w->isMinimized())
        w->showNormal();
    else
        w->show();
    w->raise();
    w->activateWindow();
    qt::presentWindow(w);
    return wasVisible;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w) return FALSE_;
    if (!(uFlags & SWP_NOMOVE)) w->move(x, y);
    if (!(uFlags & SWP_NOSIZE)) w->resize(cx, cy);
    // A pattern window asks every second; showing a shown window changes nothing.
    if ((uFlags & SWP_SHOWWINDOW) && !w->isVisible()) w->show();
    if (hWndInsertAfter == HWND_TOPMOST && w->isWindow()) {
        qt::keepAbove(w);
        qt::raiseToFront(w);
    }
    return TRUE_;
}

} // namespace vx::win
