#include "platform/qt/window_table.h"
#include <QApplication>
#include <map>
#include <unordered_map>

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
// The other way round, asked on every pause of the key loop: a dynamic property would be
// looked up by name.
std::unordered_map<const QWidget*, HWND>& handles() {
    static std::unordered_map<const QWidget*, HWND> h;
    return h;
}
HWND nextHandle = 0x10010;
} // namespace

HWND registerWindow(QWidget* widget, const std::string& className) {
    if (!widget) return 0;
    if (const HWND existing = handleOfWidget(widget)) return existing;
    const HWND h = nextHandle;
    nextHandle += 4;
    const auto gone = QObject::connect(widget, &QObject::destroyed, [h, widget] {
        table().erase(h);
        handles().erase(widget);
    });
    table()[h] = Entry{widget, className, gone};
    handles()[widget] = h;
    return h;
}

void unregisterWindow(QWidget* widget) {
    const auto it = table().find(handleOfWidget(widget));
    if (it == table().end()) return;
    QObject::disconnect(it->second.onDestroyed);
    table().erase(it);
    handles().erase(widget);
}

void forgetAllWindows() {
    for (auto& [h, entry] : table()) QObject::disconnect(entry.onDestroyed);
    table().clear();
    handles().clear();
}

QWidget* widgetFromHandle(HWND hWnd) {
    const auto it = table().find(hWnd);
    return it == table().end() ? nullptr : it->second.widget.data();
}

HWND handleOfWidget(const QWidget* widget) {
    const auto it = handles().find(widget);
    return it != handles().end() && widgetFromHandle(it->second) == widget ? it->second : 0;
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
