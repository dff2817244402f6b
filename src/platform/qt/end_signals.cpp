#include "platform/qt/end_signals.h"
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vx::win::qt {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};
int gPipe[2] = {-1, -1};

void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1); // full: one is waiting
    errno = saved;
}

void setAction(void (*handler)(int)) {
    for (const int sig : kEndSignals) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        struct sigaction sa {};
        sa.sa_handler = handler;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        ::sigaction(sig, &sa, nullptr);
    }
}

} // namespace

void answerEndSignals(std::function<void()> onSignal) {
    if (!qApp) return;
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* reader = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(reader, &QSocketNotifier::activated, reader, [onSignal = std::move(onSignal)] {
        char bytes[64];
        while (::read(gPipe[0], bytes, sizeof bytes) > 0) {
        }
        onSignal();
    });
    QObject::connect(reader, &QObject::destroyed, [] { setAction(SIG_DFL); });
    setAction(onEndSignal);
}

int endSignalFd() {
    return gPipe[0];
}

} // namespace vx::win::qt
