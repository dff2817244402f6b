#include "platform/window_text.h"
#include "platform/qt/widget_text.h"
#include "platform/qt/window_table.h"
#include <QApplication>
#include <algorithm>
#include <cstring>
#include <vector>

namespace vx::win {
namespace {

// The window a registered widget is a child of: its nearest registered ancestor, or 0 (the
// desktop) for a top-level window, whose parent widget is only its owner.
HWND parentHandleOf(const QWidget* w) {
    if (w->isWindow()) return 0;
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (const HWND h = qt::handleOfWidget(p)) return h;
        if (p->isWindow()) break;
    }
    return 0;
}

// The registered direct children of parent (0 = the top-level windows), in creation order:
// handles are handed out in increasing order.
std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> result;
    const auto consider = [&](const QWidget* w) {
        const HWND h = qt::handleOfWidget(w);
        if (h && parentHandleOf(w) == parent) result.push_back(h);
    };
    if (parent == 0) {
        for (const QWidget* w : QApplication::topLevelWidgets()) consider(w);
    } else if (const QWidget* p = qt::widgetFromHandle(parent)) {
        for (const QWidget* w : p->findChildren<QWidget*>()) consider(w);
    }
    std::sort(result.begin(), result.end());
    return result;
}

bool sameText(const char* wanted, const QString& actual) {
    return QString::fromUtf8(wanted).compare(actual, Qt::CaseInsensitive) == 0;
}

} // namespace

HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, const char* lpszClass,
                   const char* lpszWindow) {
    if (!QApplication::instance()) return 0;
    if (hWndParent && !qt::widgetFromHandle(hWndParent)) return 0;
    const std::vector<HWND> children = childrenOf(hWndParent);
    auto it = children.begin();
    if (hWndChildAfter) {
        it = std::find(children.begin(), children.end(), hWndChildAfter);
        if (it == children.end()) return 0; // not a child of this parent
        ++it;
    }
    for (; it != children.end(); ++it) {
        if (lpszClass && !sameText(lpszClass, QString::fromStdString(qt::classNameOf(*it))))
            continue;
        if (lpszWindow && !sameText(lpszWindow, qt::widgetText(qt::widgetFromHandle(*it))))
            continue;
        return *it;
    }
    return 0;
}

BOOL SetWindowTextW(HWND hWnd, const char16_t* lpString) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    if (!w) return FALSE_;
    qt::setWidgetText(w, lpString ? QString::fromUtf16(lpString) : QString());
    return TRUE_;
}

int GetWindowTextLengthW(HWND hWnd) {
    const QWidget* w = qt::widgetFromHandle(hWnd);
    return w ? static_cast<int>(qt::widgetText(w).size()) : 0;
}

int GetWindowTextW(HWND hWnd, char16_t* lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) return 0;
    const QWidget* w = qt::widgetFromHandle(hWnd);
    const QString text = w ? qt::widgetText(w) : QString();
    const int n = std::min(static_cast<int>(text.size()), nMaxCount - 1);
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, lpString);
    lpString[n] = 0;
    return n;
}

int GetClassNameA(HWND hWnd, char* lpClassName, int nMaxCount) {
    if (!lpClassName || nMaxCount <= 0) return 0;
    const std::string name = qt::widgetFromHandle(hWnd) ? qt::classNameOf(hWnd) : std::string();
    const int n = std::min(static_cast<int>(name.size()), nMaxCount - 1);
    std::memcpy(lpClassName, name.data(), static_cast<std::size_t>(n));
    lpClassName[n] = 0;
    return n;
}

} // namespace vx::win
