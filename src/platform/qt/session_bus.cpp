#include "platform/qt/session_bus.h"
#include <QAccessible>
#include <QByteArray>
#include <QtGlobal>
#include <sys/stat.h>

namespace vx::win::qt {
namespace {

// Where D-Bus finds the session bus without starting one: the address the session exports,
// or the user's bus socket in the runtime folder.
bool sessionBusKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    return !runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &st) == 0 &&
           S_ISSOCK(st.st_mode);
}

} // namespace

void meetSessionBusWithoutStartingOne() {
    if (sessionBusKnown()) return;
    // An address D-Bus does not connect to: the bridge asks once, finds no bus and keeps that
    // answer.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QAccessible::isActive();
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}

} // namespace vx::win::qt
