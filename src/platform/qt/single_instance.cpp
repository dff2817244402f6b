#include "platform/single_instance.h"
#include "platform/qt/x11_window.h"
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <X11/Xlib.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vx::win {
namespace {

constexpr char kActivate[] = "activate\n";
constexpr char kDone[] = "ok\n";
constexpr std::size_t kLineMax = 64;
// A client that has not made its request by then is dropped.
constexpr int kRequestMs = 2000;

// Plain Unix sockets: Qt's local sockets would bring Qt Network and the nine libraries behind
// it into every start.
std::optional<sockaddr_un> socketAddress(const std::string& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr.sun_path) return std::nullopt;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return addr;
}

// Reads what has come in on a non-blocking socket; false once the peer is gone or the line
// is longer than a request can be.
bool readInto(int fd, std::string& line) {
    char buf[kLineMax + 1];
    for (;;) {
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n > 0) {
            line.append(buf, static_cast<std::size_t>(n));
            if (line.size() > kLineMax) return false;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// The running copy's side of one request.
class Request : public QObject {
  public:
    Request(int fd, std::function<void()> onActivate, QObject* parent)
        : QObject(parent), fd_(fd), notifier_(fd, QSocketNotifier::Read, this),
          onActivate_(std::move(onActivate)) {
        connect(&notifier_, &QSocketNotifier::activated, this, &Request::read);
        QTimer::singleShot(kRequestMs, this, &Request::finish);
    }
    ~Request() override { closeSocket(); }

  private:
    void read() {
        const bool open = readInto(fd_, line_);
        const auto end = line_.find('\n');
        if (end == std::string::npos) {
            if (!open) finish();
            return;
        }
        if (line_.compare(0, end + 1, kActivate) != 0) return finish();
        // Answer first: the new copy ends as soon as it knows, whatever the handler does.
        ::send(fd_, kDone, sizeof kDone - 1, MSG_NOSIGNAL);
        const auto onActivate = onActivate_;
        finish();
        if (onActivate) onActivate();
    }
    // Closed at once, so the client sees the end without waiting for the object to go.
    void finish() {
        if (closeSocket()) deleteLater();
    }
    bool closeSocket() {
        if (fd_ < 0) return false;
        notifier_.setEnabled(false);
        ::close(fd_);
        fd_ = -1;
        return true;
    }

    int fd_;
    QSocketNotifier notifier_;
    std::function<void()> onActivate_;
    std::string line_;
};

class Listener : public QObject {
  public:
    Listener(int fd, std::string path, std::function<void()> onActivate)
        : QObject(QCoreApplication::instance()), fd_(fd), path_(std::move(path)),
          notifier_(fd, QSocketNotifier::Read, this), onActivate_(std::move(onActivate)) {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] {
            int client;
            while ((client = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0)
                new Request(client, onActivate_, this);
        });
    }
    // Closing removes the socket file.
    ~Listener() override {
        notifier_.setEnabled(false);
        ::close(fd_);
        ::unlink(path_.c_str());
    }

  private:
    int fd_;
    std::string path_;
    QSocketNotifier notifier_;
    std::function<void()> onActivate_;
};

QPointer<Listener> gListener;

// The new copy's side: nothing when no copy listens there (no socket, or one left by a
// crash that refuses the connection).
std::optional<InstanceStart> askRunningCopy(const std::string& path, int answerMs) {
    const auto addr = socketAddress(path);
    if (!addr) return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*addr), sizeof *addr) != 0) {
        // A full queue is a copy that takes no calls; anything else, no copy at all.
        const bool busy = errno == EAGAIN;
        ::close(fd);
        return busy ? std::optional(InstanceStart::Unanswered) : std::nullopt;
    }
    std::string answer;
    if (::send(fd, kActivate, sizeof kActivate - 1, MSG_NOSIGNAL) ==
        static_cast<ssize_t>(sizeof kActivate - 1)) {
        // An event loop rather than a blocking wait, so that a listener in this same process
        // (tests) is served meanwhile.
        QEventLoop loop;
        QSocketNotifier notifier(fd, QSocketNotifier::Read);
        QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
            if (!readInto(fd, answer) || answer.find('\n') != std::string::npos) loop.quit();
        });
        QTimer::singleShot(answerMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ::close(fd);
    return answer == kDone ? InstanceStart::Activated : InstanceStart::Unanswered;
}

bool listenAt(const std::string& path, std::function<void()> onActivate) {
    const auto fail = [&](const char* why) {
        std::fprintf(stderr,
                     "%s: cannot listen at %s (%s); a second start will not find this one\n",
                     qPrintable(QCoreApplication::applicationName()), path.c_str(), why);
        return false;
    };
    const auto addr = socketAddress(path);
    if (!addr) return fail("the path is too long for a socket");
    ::unlink(path.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return fail(std::strerror(errno));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*addr), sizeof *addr) != 0 ||
        ::chmod(path.c_str(), S_IRWXU) != 0 || ::listen(fd, 8) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(std::strerror(error));
    }
    gListener = new Listener(fd, path, std::move(onActivate));
    return true;
}

// Held while a start asks for a running copy and begins to listen, so that two copies started
// together do not both listen. The kernel lets go of it when its holder ends, however it ends,
// and taking it writes nothing to the disk. One that cannot be had in time is passed by, as a
// lock must never keep the program from starting. Its file goes with its holder.
class StartLock {
  public:
    StartLock(std::string path, std::chrono::milliseconds wait) : path_(std::move(path)) {
        const auto end = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < end) {
            fd_ =
                ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
            if (fd_ < 0) return;
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                // The holder before may have removed the file while this start waited on it.
                struct stat held;
                struct stat named;
                if (::fstat(fd_, &held) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
                    held.st_dev == named.st_dev && held.st_ino == named.st_ino)
                    return;
            } else if (errno != EWOULDBLOCK && errno != EINTR) {
                break;
            } else {
                ::usleep(2000);
            }
            release(false);
        }
        release(false);
    }
    ~StartLock() { release(true); }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

  private:
    void release(bool removeFile) {
        if (fd_ < 0) return;
        if (removeFile) ::unlink(path_.c_str());
        ::close(fd_);
        fd_ = -1;
    }
    std::string path_;
    int fd_ = -1;
};

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
    // Two copies started together: the second waits until the first listens.
    const StartLock lock(path + ".lock", std::chrono::seconds(3));
    if (const auto answer = askRunningCopy(path, answerMs)) return *answer;
    listenAt(path, std::move(onActivate));
    return InstanceStart::First;
}

InstanceStart claimInstance(const std::string& program, std::function<void()> onActivate) {
    const std::string name = instanceName(program, getuid(), displayName());
    return claimInstanceAt((instanceFolder() + "/").toStdString() + name, std::move(onActivate));
}

void releaseInstance() {
    delete gListener.data();
}

} // namespace vx::win
