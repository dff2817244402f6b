#include "platform/cursor.h"
#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <array>
#include <utility>

namespace vx::win {
namespace {

constexpr std::array<std::pair<LONG, Qt::CursorShape>, 14> kSystemCursors = {{
    {IDC_ARROW, Qt::ArrowCursor},
    {IDC_IBEAM, Qt::IBeamCursor},
    {IDC_WAIT, Qt::WaitCursor},
    {IDC_CROSS, Qt::CrossCursor},
    {IDC_UPARROW, Qt::UpArrowCursor},
    {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    {IDC_SIZENESW, Qt::SizeBDiagCursor},
    {IDC_SIZEWE, Qt::SizeHorCursor},
    {IDC_SIZENS, Qt::SizeVerCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},
    {IDC_NO, Qt::ForbiddenCursor},
    {IDC_HAND, Qt::PointingHandCursor},
    {IDC_APPSTARTING, Qt::BusyCursor},
    {IDC_HELP, Qt::WhatsThisCursor},
}};

constexpr HCURSOR kFirstHandle = 0x30010;
HCURSOR gCurrent = 0;

HCURSOR handleAt(std::size_t i) {
    return kFirstHandle + 4 * static_cast<HCURSOR>(i);
}

bool shapeOf(HCURSOR h, Qt::CursorShape& shape) {
    if (h == 0) {
        shape = Qt::BlankCursor;
        return true;
    }
    for (std::size_t i = 0; i < kSystemCursors.size(); ++i)
        if (handleAt(i) == h) {
            shape = kSystemCursors[i].second;
            return true;
        }
    return false;
}

} // namespace

BOOL GetCursorPos(POINT* lpPoint) {
    if (!lpPoint) return FALSE_;
    const QPoint p = QCursor::pos();
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE_;
}

HCURSOR LoadCursorA(HINSTANCE hInstance, LONG lpCursorName) {
    if (hInstance != 0) return 0;
    for (std::size_t i = 0; i < kSystemCursors.size(); ++i)
        if (kSystemCursors[i].first == lpCursorName) return handleAt(i);
    return 0;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    Qt::CursorShape shape;
    if (!shapeOf(hCursor, shape)) return 0;
    const HCURSOR previous = gCurrent;
    gCurrent = hCursor;
    QWidget* w = qobject_cast<QApplication*>(QCoreApplication::instance())
                     ? QApplication::widgetAt(QCursor::pos())
                     : nullptr;
    if (!w) w = QWidget::mouseGrabber();
    if (w && w->cursor().shape() != shape) w->setCursor(shape);
    return previous;
}

} // namespace vx::win
