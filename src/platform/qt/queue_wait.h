#pragma once
// Blocking until the program's event queue has work, without serving any of it.
#include <chrono>

namespace vx::win::qt {

enum class QueueWait {
    Work,       // the event step has something to serve: a posted event, a due timer, a
                // window-system event or a watched socket
    Descriptor, // the extra descriptor turned readable
    Deadline,   // the time ran out
    Unknown,    // the event dispatcher cannot be asked: nothing was waited for
};

// Waits until the queue has work, `descriptor` (if >= 0) turns readable or the deadline
// passes. Works with the GLib event dispatcher, Qt's default on Linux; with another one it
// answers Unknown at once.
QueueWait waitForQueuedWork(int descriptor, std::chrono::steady_clock::time_point deadline);

} // namespace vx::win::qt
