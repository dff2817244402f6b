#pragma once
// The window-handle table. A handle maps to a live widget through a guarded pointer, so a
// handle of a destroyed window resolves to nothing; handles are never reused.
#include "platform/win_types.h"
#include <QPointer>
#include <QWidget>
#include <string>

namespace vx::win::qt {

// Registers a widget under a window class name ("ThunderForm", "Static", "Button", ...).
// Registering the same widget twice returns its existing handle.
HWND registerWindow(QWidget* widget, const std::string& className);
// Takes the widget's handle away: it resolves to nothing from now on, as for a destroyed
// window, and registering the widget again gives it a new handle.
void unregisterWindow(QWidget* widget);
QWidget* widgetFromHandle(HWND hWnd);
HWND handleOfWidget(const QWidget* widget);
std::string classNameOf(HWND hWnd);
// The program's end: every handle resolves to nothing from now on, and the table holds no
// connection to a widget.
void forgetAllWindows();
// The registered window at a global logical point, innermost first; 0 where none.
HWND registeredWindowAt(const QPoint& globalPos);

} // namespace vx::win::qt
