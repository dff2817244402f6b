#include "platform/qt/qt_dialog_driver.h"
#include <QBoxLayout>
#include <QColorDialog>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace vx::win::qt {
namespace {

QColor toQColor(COLORREF c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
COLORREF fromQColor(const QColor& c) {
    return static_cast<COLORREF>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QBoxLayout* boxHolding(QLayout* layout, QWidget* w) {
    if (!layout) return nullptr;
    if (auto* box = qobject_cast<QBoxLayout*>(layout); box && box->indexOf(w) >= 0) return box;
    for (int i = 0; i < layout->count(); ++i)
        if (QBoxLayout* found = boxHolding(layout->itemAt(i)->layout(), w)) return found;
    return nullptr;
}

// Without "full open" the dialog starts with the basic and custom colour wells only; the
// picker, the value fields and the add button come with "Define Custom Colors >>", which
// "prevent full open" disables.
void collapseCustomPart(QColorDialog& dlg, bool prevent) {
    std::vector<QWidget*> part;
    QPushButton* addButton = nullptr;
    const QString addText = QColorDialog::tr("&Add to Custom Colors");
    for (QWidget* w : dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QByteArray cls = w->metaObject()->className();
        if (cls.endsWith("QColorPicker") || cls.endsWith("QColorLuminancePicker") ||
            cls.endsWith("QColorShower"))
            part.push_back(w);
        if (auto* b = qobject_cast<QPushButton*>(w); b && b->text() == addText) {
            addButton = b;
            part.push_back(b);
        }
    }
    QBoxLayout* box = addButton ? boxHolding(dlg.layout(), addButton) : nullptr;
    if (!box) return; // a dialog of another make: leave it whole
    auto* define = new QPushButton(QObject::tr("&Define Custom Colors >>"), &dlg);
    define->setObjectName("defineCustomColors");
    define->setEnabled(!prevent);
    define->setAutoDefault(false);
    box->insertWidget(box->indexOf(addButton) + 1, define);
    for (QWidget* w : part) w->hide();
    QObject::connect(define, &QPushButton::clicked, &dlg, [&dlg, define, part] {
        for (QWidget* w : part) w->show();
        define->setEnabled(false);
        dlg.adjustSize();
    });
}

} // namespace

ColorReply QtDialogDriver::chooseColor(const ColorQuery& q) {
    // Qt keeps one set of 16 custom colours; it is loaded from the caller's table and read
    // back into the reply.
    const int count = std::min<int>(QColorDialog::customCount(), q.custom.size());
    for (int i = 0; i < count; ++i) QColorDialog::setCustomColor(i, toQColor(q.custom[i]));
    QColorDialog dlg(toQColor(q.initial), ownerWidget(q.owner));
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    // Every colour is solid on a true-colour screen, so "solid only" offers the same set.
    if (!q.fullOpen) collapseCustomPart(dlg, q.preventFullOpen);
    const bool ok = runModal(dlg);

    ColorReply r;
    r.custom = q.custom;
    for (int i = 0; i < count; ++i) r.custom[i] = fromQColor(QColorDialog::customColor(i));
    r.confirmed = ok;
    r.color = fromQColor(dlg.selectedColor().isValid() ? dlg.selectedColor() : dlg.currentColor());
    return r;
}

} // namespace vx::win::qt
