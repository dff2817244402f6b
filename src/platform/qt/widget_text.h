#pragma once
// The window text of a widget as the Windows calls see it: a button's or label's text, or
// a top-level window's caption.
#include <QString>
#include <QWidget>

namespace vx::win::qt {

QString widgetText(const QWidget* w);
void setWidgetText(QWidget* w, const QString& text);

} // namespace vx::win::qt
