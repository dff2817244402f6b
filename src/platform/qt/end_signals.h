#pragma once
// SIGTERM, SIGHUP and SIGINT as a request to end: the signal handler only writes a byte to a
// pipe, and the event loop answers it on the GUI thread.
#include <functional>

namespace vx::win::qt {

// Installs the handlers; onSignal runs on the GUI thread, once per burst of signals. The
// pipe's reader is a child of the application object: once it has gone, the signals take
// their default action again. A signal ignored at start-up (nohup) stays ignored.
void answerEndSignals(std::function<void()> onSignal);
// The pipe's read end, readable while a signal waits for its answer; -1 before the install.
// A pause that polls descriptors of its own adds it, so that it ends at once.
int endSignalFd();

} // namespace vx::win::qt
