#include "host/notice.h"
#include "platform/qt/window_table.h"
#include <QMessageBox>

namespace vx {

win::HWND showNotice(const String& title, const String& text) {
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdU16String(title),
                                QString::fromStdU16String(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    return win::qt::registerWindow(box, "VelotrixNotice");
}

bool setNoticeText(win::HWND notice, const String& text) {
    auto* box = qobject_cast<QMessageBox*>(win::qt::widgetFromHandle(notice));
    if (!box || !box->isVisible()) return false;
    box->setText(QString::fromStdU16String(text));
    return true;
}

} // namespace vx
