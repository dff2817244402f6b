#include "platform/qt/monitor.h"
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace vx::win::qt {
namespace {
QPointer<QWidget>& named() {
    static QPointer<QWidget> w;
    return w;
}
} // namespace

void setMainWindow(QWidget* window) {
    named() = window;
}

QWidget* mainWindow() {
    return named().data();
}

QScreen* monitorUnderTest() {
    if (const QWidget* w = mainWindow()) {
        // The frame's centre, as the user sees the window; a minimised window keeps its place.
        if (QScreen* s = QGuiApplication::screenAt(w->frameGeometry().center())) return s;
        if (QScreen* s = w->screen()) return s;
    }
    return QGuiApplication::primaryScreen();
}

QRect deviceRect(const QScreen* screen) {
    if (!screen) return {};
    // Qt's scaled coordinates keep a screen's top-left corner at its device position and
    // divide only its size by the screen's scale factor.
    const QRect g = screen->geometry();
    const double dpr = screen->devicePixelRatio();
    return QRect(g.topLeft(), QSize(static_cast<int>(std::lround(g.width() * dpr)),
                                    static_cast<int>(std::lround(g.height() * dpr))));
}

} // namespace vx::win::qt
