#pragma once
// A shown form to put user controls on, and the window input they react to, sent straight
// to their windows.
#include "host/events.h"
#include "host/form.h"
#include "host/qt/surface_widget.h"
#include "platform/qt/window_table.h"
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>

namespace vx::test {

class HostForm : public Form {
  public:
    HostForm() {
        borderStyle = vbFixedSingle;
        clientWidth = 6000;
        clientHeight = 3000;
        setBackColor(0x00000000);
        setFont(StdFont::make("Tahoma", 8.25));
    }
};

inline QWidget* widgetOf(win::HWND h) {
    return win::qt::widgetFromHandle(h);
}

// A copy of the control's persistent image.
inline QImage imageOf(win::HWND h) {
    auto* s = dynamic_cast<hostqt::SurfaceWidget*>(widgetOf(h));
    return s ? s->image()->copy() : QImage();
}

// Serves events until cond() holds or ms pass.
inline bool pumpUntil(const std::function<bool()>& cond, int ms = 1000) {
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < ms) DoEvents();
    return cond();
}
inline void pump(int ms) {
    pumpUntil([] { return false; }, ms);
}

inline void mouse(win::HWND h, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                  QPointF at = {3, 3}) {
    QWidget* w = widgetOf(h);
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void press(win::HWND h, Qt::MouseButton b) {
    mouse(h, QEvent::MouseButtonPress, b, b);
}
inline void release(win::HWND h, Qt::MouseButton b) {
    mouse(h, QEvent::MouseButtonRelease, b, Qt::NoButton);
}
inline void doubleClick(win::HWND h, Qt::MouseButton b) {
    mouse(h, QEvent::MouseButtonDblClick, b, b);
}
inline void move(win::HWND h, Qt::MouseButtons held, QPointF at = {3, 3}) {
    mouse(h, QEvent::MouseMove, Qt::NoButton, held, at);
}

inline void focus(win::HWND h, bool in) {
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widgetOf(h), &e);
}

inline void key(win::HWND h, Qt::Key k, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(widgetOf(h), &down);
    QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(widgetOf(h), &up);
}

// Puts the cursor over the middle of the window, or far away from every window, and serves
// the mouse move that this makes.
inline void cursorOver(win::HWND h) {
    QWidget* w = widgetOf(h);
    QCursor::setPos(w->mapToGlobal(w->rect().center()));
    pump(30);
}
inline void cursorAway() {
    QCursor::setPos(5000, 5000);
    pump(30);
}

} // namespace vx::test
