#include "platform/single_instance.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <X11/Xlib.h>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace vx::win {
namespace {

constexpr char kActivate[] = "activate\n";
constexpr char kDone[] = "ok\n";
constexpr int kLineMax = 64;
// A client that has not made its request by then is dropped.
constexpr int kRequestMs = 2000;

QPointer<QLocalServer> gServer;

// The running copy's side of one request.
void serveRequest(QLocalSocket* s, const std::function<void()>& onActivate) {
    QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    QTimer::singleShot(kRequestMs, s, [s] { s->abort(); });
    auto read = [s, onActivate] {
        if (!s->canReadLine()) {
            if (s->bytesAvailable() > kLineMax) s->abort();
            return;
        }
        if (s->readLine(kLineMax) != kActivate) {
            s->abort();
            return;
        }
        // Answer first: the new copy ends as soon as it knows, whatever the handler does.
        s->write(kDone);
        s->disconnectFromServer();
        if (onActivate) onActivate();
    };
    QObject::connect(s, &QLocalSocket::readyRead, s, read);
    if (s->bytesAvailable() > 0) read();
}

// The new copy's side: nothing when no copy listens there (no socket, or one left by a
// crash that refuses the connection).
std::optional<InstanceStart> askRunningCopy(const QString& path, int answerMs) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(answerMs)) return std::nullopt;
    socket.write(kActivate);
    socket.flush();
    // An event loop rather than a blocking wait, so that a listener in this same process
    // (tests) is served meanwhile.
    QEventLoop loop;
    QTimer::singleShot(answerMs, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    if (!socket.canReadLine()) loop.exec();
    return socket.readLine(kLineMax) == kDone ? InstanceStart::Activated
                                              : InstanceStart::Unanswered;
}

bool listenAt(const QString& path, std::function<void()> onActivate) {
    QLocalServer::removeServer(path);
    auto* server = new QLocalServer(QCoreApplication::instance());
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        std::fprintf(stderr,
                     "%s: cannot listen at %s (%s); a second start will not find this one\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(path),
                     qPrintable(server->errorString()));
        delete server;
        return false;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server, onActivate] {
        while (QLocalSocket* s = server->nextPendingConnection()) serveRequest(s, onActivate);
    });
    gServer = server;
    return true;
}

// The user's runtime folder is private to the user; the temporary folder is shared, where a
// socket of another user is nothing to talk to or to remove.
QString instanceFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isAbsolute() && info.isDir() && info.ownerId() == getuid())
        return runtime;
    return QDir::tempPath();
}

std::string displayName() {
    if (Display* dpy = qt::x11Display()) return DisplayString(dpy);
    if (QGuiApplication::platformName().startsWith("wayland"))
        return qEnvironmentVariable("WAYLAND_DISPLAY", "wayland-0").toStdString();
    return QGuiApplication::platformName().toStdString();
}

} // namespace

InstanceStart claimInstanceAt(const std::string& path, std::function<void()> onActivate,
                              int answerMs) {
    const QString name = QString::fromStdString(path);
    const QFileInfo existing(name);
    if (existing.exists() && existing.ownerId() != getuid()) {
        std::fprintf(stderr, "%s: %s belongs to another user; starting without it\n",
                     qPrintable(QCoreApplication::applicationName()), path.c_str());
        return InstanceStart::First;
    }
    // Two copies started together: the second waits until the first listens. A lock left
    // by a crash is stale at once (its process is gone); one that cannot be had in time is
    // passed by, as a lock must never keep the program from starting.
    QLockFile lock(name + ".lock");
    lock.setStaleLockTime(std::chrono::seconds(10));
    lock.tryLock(std::chrono::seconds(3));
    if (const auto answer = askRunningCopy(name, answerMs)) return *answer;
    listenAt(name, std::move(onActivate));
    return InstanceStart::First;
}

InstanceStart claimInstance(const std::string& program, std::function<void()> onActivate) {
    const std::string name = instanceName(program, getuid(), displayName());
    return claimInstanceAt((instanceFolder() + "/").toStdString() + name, std::move(onActivate));
}

void releaseInstance() {
    // Closing removes the socket file.
    delete gServer.data();
}

} // namespace vx::win
