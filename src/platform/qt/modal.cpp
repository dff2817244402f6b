#include "platform/modal.h"
#include "platform/keyboard.h"
#include "platform/qt/close_request.h"
#include "platform/qt/x11_window.h"
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace vx::win {
namespace {

int gDepth = 0;
QPointer<QWidget> gCloseAfterModal;

// A window that the open modal windows keep from closing.
bool blockedByModal(const QWidget* target) {
    const QWidget* modal = QApplication::activeModalWidget();
    return gDepth > 0 && target && modal && target != modal && !target->isModal();
}

// A close request for a window that a modal window blocks would be dropped, leaving the user
// no way out but the modal window. It ends the modal windows instead, as if cancelled, and
// reaches its window once they have returned to their callers.
void closeAfterModals(QWidget* target) {
    gCloseAfterModal = target;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal()) d->reject();
}

// The window manager's close requests, caught before Qt drops those of blocked windows.
class BlockedCloseFilter : public QAbstractNativeEventFilter {
  public:
    explicit BlockedCloseFilter(Display* dpy)
        : protocols_(XInternAtom(dpy, "WM_PROTOCOLS", False)),
          deleteWindow_(XInternAtom(dpy, "WM_DELETE_WINDOW", False)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (gDepth == 0 || type != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
        const auto* cm = static_cast<const xcb_client_message_event_t*>(message);
        if (cm->type != protocols_ || cm->data.data32[0] != deleteWindow_) return false;
        QWidget* target = QWidget::find(static_cast<WId>(cm->window));
        if (!blockedByModal(target)) return false;
        closeAfterModals(target);
        return true;
    }

  private:
    unsigned long protocols_, deleteWindow_;
};

void watchBlockedCloses() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    if (Display* dpy = qt::x11Display())
        qApp->installNativeEventFilter(new BlockedCloseFilter(dpy));
}

} // namespace

ModalScope::ModalScope() {
    watchBlockedCloses();
    ++gDepth;
}

ModalScope::~ModalScope() {
    if (--gDepth > 0) return;
    // Keys pressed meanwhile were meant for the modal window, or for nothing.
    keyboardSource().forgetPresses();
    if (gCloseAfterModal) {
        // After the caller has taken the answer and returned to the event loop.
        QTimer::singleShot(0, gCloseAfterModal.data(), [] {
            QWidget* w = gCloseAfterModal.data();
            gCloseAfterModal = nullptr;
            if (w) w->close();
        });
    }
}

bool modalWindowOpen() {
    return gDepth > 0;
}

bool closeRequestPending() {
    return !gCloseAfterModal.isNull();
}

namespace qt {

void requestClose(QWidget* window) {
    if (!window) return;
    if (blockedByModal(window))
        closeAfterModals(window);
    else
        window->close();
}

} // namespace qt

} // namespace vx::win
