#include "platform/qt/qt_dialog_driver.h"
#include "platform/modal.h"
#include "platform/qt/window_table.h"
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace vx::win {
namespace {
// Qt's dialogs unless another driver is set; made on first use, so that none is left once the
// program's end has let go of it.
std::unique_ptr<DialogDriver>& current() {
    static std::unique_ptr<DialogDriver> d;
    return d;
}
} // namespace

void setDialogDriver(std::unique_ptr<DialogDriver> driver) {
    current() = std::move(driver);
}
DialogDriver& dialogDriver() {
    if (!current()) current() = std::make_unique<qt::QtDialogDriver>();
    return *current();
}

namespace qt {

QWidget* ownerWidget(HWND owner) {
    QWidget* w = owner ? widgetFromHandle(owner) : nullptr;
    return w ? w->window() : nullptr;
}

bool runModal(QDialog& dlg) {
    ModalScope modal;
    // A child is deleted with its parent, and this dialog belongs to the caller's frame: it
    // stays a window of its own, which the window manager keeps above its owner.
    if (QWidget* owner = dlg.parentWidget()) {
        dlg.setParent(nullptr, dlg.windowFlags());
        dlg.winId();
        if (owner->windowHandle()) dlg.windowHandle()->setTransientParent(owner->windowHandle());
        dlg.adjustSize();
        QRect r = dlg.frameGeometry();
        r.moveCenter(owner->frameGeometry().center());
        dlg.move(r.topLeft());
    }
    return dlg.exec() == QDialog::Accepted;
}

int QtDialogDriver::logPixelsY() {
    // The screen's twips per device pixel make 1440 / dpi: 96 logical dots per inch.
    const QScreen* s = QGuiApplication::primaryScreen();
    return static_cast<int>(std::lround(96.0 * (s ? s->devicePixelRatio() : 1.0)));
}

} // namespace qt
} // namespace vx::win
