#pragma once
// The desktop's message bus as Qt meets it at start-up.

namespace vx::win::qt {

// Qt's accessibility bridge looks for screen readers on the session bus when the first window
// shows. Where the desktop has no session bus, D-Bus would start one of its own for that
// (dbus-launch, a daemon that outlives the program), which no screen reader listens on: the
// bridge is made to find none instead. The environment is left as it was, for the programs
// started from this one. Call once, after the application object is made.
void meetSessionBusWithoutStartingOne();

} // namespace vx::win::qt
