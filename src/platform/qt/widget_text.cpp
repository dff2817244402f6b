#include "platform/qt/widget_text.h"
#include <QAbstractButton>
#include <QLabel>

namespace vx::win::qt {

QString widgetText(const QWidget* w) {
    if (!w) return {};
    if (w->isWindow()) return w->windowTitle();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return w->windowTitle();
}

void setWidgetText(QWidget* w, const QString& text) {
    if (!w) return;
    if (w->isWindow())
        w->setWindowTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else
        w->setWindowTitle(text);
}

} // namespace vx::win::qt
