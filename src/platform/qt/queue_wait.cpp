#include "platform/qt/queue_wait.h"
#include <QAbstractEventDispatcher>
#include <algorithm>
#include <glib.h>
#include <vector>

namespace vx::win::qt {

// GLib's own steps of one loop iteration, without the last one that dispatches: what is
// ready stays ready for the event step, which dispatches it.
QueueWait waitForQueuedWork(int descriptor, std::chrono::steady_clock::time_point deadline) {
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || !dispatcher->inherits("QEventDispatcherGlib")) return QueueWait::Unknown;
    // Qt runs the main thread's queue on GLib's default context.
    GMainContext* context = g_main_context_default();
    if (!g_main_context_acquire(context)) return QueueWait::Unknown;
    gint priority = G_MAXINT;
    const bool ready = g_main_context_prepare(context, &priority);
    static thread_local std::vector<GPollFD> fds(16);
    gint timeout = -1;
    gint count = 0;
    while ((count = g_main_context_query(context, priority, &timeout, fds.data(),
                                         static_cast<gint>(fds.size()) - 1)) >=
           static_cast<gint>(fds.size()))
        fds.resize(static_cast<std::size_t>(count) + 1);
    if (descriptor >= 0) fds[count] = GPollFD{descriptor, G_IO_IN | G_IO_HUP | G_IO_ERR, 0};
    // The deadline rounded up, so that a wait never ends just before it.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (deadline != std::chrono::steady_clock::time_point::max()) {
        const auto ms = static_cast<gint>(std::clamp<long long>(left.count(), 0, G_MAXINT));
        timeout = timeout < 0 ? ms : std::min(timeout, ms);
    }
    if (ready) timeout = 0;
    const gint polled = count + (descriptor >= 0 ? 1 : 0);
    for (gint i = 0; i < polled; ++i) fds[i].revents = 0;
    g_poll(fds.data(), static_cast<guint>(polled), timeout);
    const bool work = g_main_context_check(context, priority, fds.data(), count) || ready;
    g_main_context_release(context);
    if (work) return QueueWait::Work;
    if (descriptor >= 0 && fds[count].revents) return QueueWait::Descriptor;
    // Woken with nothing ready (a wake-up whose work was served already): one more look by
    // the event step costs less than knowing.
    return std::chrono::steady_clock::now() >= deadline ? QueueWait::Deadline : QueueWait::Work;
}

} // namespace vx::win::qt
