#pragma once
// Drives a message box the way a person would: waits for it to come up, reads its windows,
// clicks its buttons.
#include "platform/qt/window_table.h"
#include "platform/window_text.h"
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vx::testing {

// The open message box window, or 0.
inline win::HWND openBox() {
    const win::HWND box = win::FindWindowExA(0, 0, "#32770", nullptr);
    const QWidget* w = win::qt::widgetFromHandle(box);
    return w && w->isVisible() ? box : 0;
}

// Runs act on the box once it shows. A box still open two seconds later is shut with 0, so
// a test that fails to close it fails instead of hanging.
inline void whenBoxOpens(std::function<void(win::HWND)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    auto triesLeft = std::make_shared<int>(400);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, triesLeft] {
        const win::HWND box = openBox();
        if (!box && --*triesLeft > 0) return;
        timer->stop();
        timer->deleteLater();
        if (!box) return;
        act(box);
        QTimer::singleShot(2000, [box] {
            if (auto* d = qobject_cast<QDialog*>(win::qt::widgetFromHandle(box))) d->done(0);
        });
    });
    timer->start();
}

inline std::vector<win::HWND> childrenOf(win::HWND parent, const char* className) {
    std::vector<win::HWND> found;
    for (win::HWND h = win::FindWindowExA(parent, 0, className, nullptr); h;
         h = win::FindWindowExA(parent, h, className, nullptr))
        found.push_back(h);
    return found;
}

inline std::u16string textOf(win::HWND h) {
    char16_t buffer[256];
    const int n = win::GetWindowTextW(h, buffer, 256);
    return std::u16string(buffer, static_cast<std::size_t>(n));
}

inline std::vector<std::u16string> buttonTexts(win::HWND box) {
    std::vector<std::u16string> texts;
    for (const win::HWND b : childrenOf(box, "Button")) texts.push_back(textOf(b));
    return texts;
}

// A left click in the middle of the window: press and release.
inline void click(win::HWND h) {
    QWidget* w = win::qt::widgetFromHandle(h);
    if (!w) return;
    const QPointF local = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

inline void clickButton(win::HWND box, const std::u16string& text) {
    for (const win::HWND b : childrenOf(box, "Button"))
        if (textOf(b) == text) return click(b);
}

} // namespace vx::testing
