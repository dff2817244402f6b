#include "platform/qt/display_loss.h"
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace vx::win::qt {
namespace {

char gLine[256] = "lost the connection to the X server\n";
std::atomic<xcb_connection_t*> gQtConnection{nullptr};
QtMessageHandler gPreviousHandler = nullptr;
std::atomic_flag gEnding = ATOMIC_FLAG_INIT;

// Xlib ends the process after this returns; it does not return.
int onIoError(Display*) {
    displayLost();
}

// Qt's xcb plugin warns of a broken connection and then calls exit(): the warning comes
// here first.
void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (xcb_connection_t* c = gQtConnection.load(); c && xcb_connection_has_error(c)) displayLost();
    if (gPreviousHandler) gPreviousHandler(type, context, text);
}

} // namespace

DisplayLossWatch::DisplayLossWatch() {
    if (QGuiApplication::platformName() != "xcb") return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    std::snprintf(gLine, sizeof gLine, "%s: lost the connection to the X server %s\n",
                  qPrintable(QCoreApplication::applicationName()), DisplayString(x11->display()));
    gQtConnection = x11->connection();
    // Installed after Qt's own, which would hand over to Xlib's default and its exit().
    XSetIOErrorHandler(onIoError);
    gPreviousHandler = qInstallMessageHandler(onQtMessage);
}

DisplayLossWatch::~DisplayLossWatch() {
    if (!gQtConnection.exchange(nullptr)) return;
    qInstallMessageHandler(gPreviousHandler);
    gPreviousHandler = nullptr;
}

void displayLost() {
    // A second thread that finds the loss waits for the first to end the process.
    if (gEnding.test_and_set()) {
        for (;;) ::pause();
    }
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, gLine, std::strlen(gLine));
    ::_exit(1);
}

} // namespace vx::win::qt
