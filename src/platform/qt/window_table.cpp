#include "platform/qt/window_table.h"
#include <QApplication>
#include <map>

namespace vx::win::qt {
namespace {
struct Entry {
    QPointer<QWidget> widget;
    std::string className;
    QMetaObject::Connection onDestroyed;
};
std::map<HWND, Entry>& table() {
    static std::map<HWND, Entry> t;
    return t;
}
HWND nextHandle = 0x10010;
const char* kHandleProperty = "vxHwnd";
} // namespace

HWND registerWindow(QWidget* widget, const std::string& className) {
    if (!widget) return 0;
    if (const HWND existing = handleOfWidget(widget)) return existing;
    const HWND h = nextHandle;
    nextHandle += 4;
    const auto gone = QObject::connect(widget, &QObject::destroyed, [h] { table().erase(h); });
    table()[h] = Entry{widget, className, gone};
    widget->setProperty(kHandleProperty, h);
    return h;
}

void unregisterWindow(QWidget* widget) {
    const auto it = table().find(handleOfWidget(widget));
    if (it == table().end()) return;
    QObject::disconnect(it->second.onDestroyed);
    table().erase(it);
}

void forgetAllWindows() {
    for (auto& [h, entry] : table()) QObject::disconnect(entry.onDestroyed);
    table().clear();
}

QWidget* widgetFromHandle(HWND hWnd) {
    const auto it = table().find(hWnd);
    return it == table().end() ? nullptr : it->second.widget.data();
}

HWND handleOfWidget(const QWidget* widget) {
    if (!widget) return 0;
    const QVariant v = widget->property(kHandleProperty);
    if (!v.isValid()) return 0;
    const HWND h = v.toInt();
    return widgetFromHandle(h) == widget ? h : 0;
}

std::string classNameOf(HWND hWnd) {
    const auto it = table().find(hWnd);
    return it == table().end() || !it->second.widget ? std::string() : it->second.className;
}

HWND registeredWindowAt(const QPoint& globalPos) {
    QWidget* w = QApplication::widgetAt(globalPos);
    for (; w; w = w->parentWidget())
        if (const HWND h = handleOfWidget(w)) return h;
    return 0;
}

} // namespace vx::win::qt
