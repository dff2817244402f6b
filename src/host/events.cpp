#include "host/events.h"
#include "host/app_info.h"
#include "host/errors.h"
#include "host/form.h"
#include "platform/modal.h"
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace vx {
namespace {
bool gEndWhenNoForms = false;
}

void DoEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // What the handlers just posted (a close request's unload) runs in this step too, not in
    // the pause after it.
    QCoreApplication::sendPostedEvents();
    // Windows unloaded from inside their own handlers are deleted here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void setEndWhenNoFormsLeft(bool on) {
    gEndWhenNoForms = on;
}

void endIfNoFormsLeft() {
    if (gEndWhenNoForms && Form::loadedCount() == 0) QCoreApplication::exit(0);
}

void endWithUntrappedError(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    if (qApp && QGuiApplication::platformName() != "offscreen") {
        const win::ModalScope modal;
        QMessageBox::critical(nullptr, QString::fromStdString(App::Title),
                              QString::fromStdString(message));
    }
    std::_Exit(1);
}

void invokeHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const VbError& e) {
        endWithUntrappedError(untrappedMessage(e));
    } catch (const std::exception& e) {
        endWithUntrappedError(
            untrappedMessage(VbError(51, std::string("Internal error: ") + e.what())));
    }
}

} // namespace vx
