#include "platform/qt/wayland/portal_screenshot.h"
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>
#include <optional>

namespace vx::win::qt {
namespace {

constexpr auto kService = "org.freedesktop.portal.Desktop";
constexpr auto kPath = "/org/freedesktop/portal/desktop";
constexpr auto kRequest = "org.freedesktop.portal.Request";

// Portal answers: 0 done, 1 cancelled by the person, 2 ended otherwise (not allowed).
enum : uint { kDone = 0, kCancelled = 1 };

// Receives the Response signal of one request.
class Answer : public QObject {
    Q_OBJECT
  public:
    std::optional<uint> code;
    QVariantMap results;
    QEventLoop loop;

  public slots:
    void response(uint c, const QVariantMap& r) {
        code = c;
        results = r;
        loop.quit();
    }
};

// The path the portal gives the request of a handle token, known before the call so that no
// answer can come before we listen for it.
QString requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1); // ":1.42" -> "1_42"
    sender.replace('.', '_');
    return QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
}

// From any sender: the portal is started by the call itself, and a signal that comes before
// the bus connection has learnt the portal's new owner would be dropped by a sender match.
// The path, made of the program's own bus name and token, is the request's alone.
bool listen(QDBusConnection& bus, const QString& path, Answer& answer, bool on) {
    const auto slot = SLOT(response(uint, QVariantMap));
    return on ? bus.connect(QString(), path, kRequest, "Response", &answer, slot)
              : bus.disconnect(QString(), path, kRequest, "Response", &answer, slot);
}

// xdg-desktop-portal-wlr 0.7.0 (Debian 12) can take in a call together with its own bus name
// and leave it unread until another message comes, which holds the portal's start 25 s. While
// a request waits, each portal backend on the bus is asked for its objects' description: that
// is the other message, and every D-Bus library answers it by itself. The names are asked for
// without blocking, so that a slow bus does not hold the request past its limit.
void nudgeBackends(const QDBusConnection& bus) {
    auto* names = new QDBusPendingCallWatcher(bus.interface()->asyncCall("ListNames"));
    QObject::connect(names, &QDBusPendingCallWatcher::finished, [bus](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> reply = *w;
        for (const QString& name : reply.value())
            if (name.startsWith("org.freedesktop.impl.portal.desktop."))
                bus.call(QDBusMessage::createMethodCall(
                             name, "/", "org.freedesktop.DBus.Introspectable", "Introspect"),
                         QDBus::NoBlock);
    });
}

struct Outcome {
    ScreenPictureProblem problem = ScreenPictureProblem::NoProblem;
    uint code = kDone;
    QString uri;
};

Outcome request(QDBusConnection& bus, bool interactive, std::chrono::milliseconds limit) {
    static int serial = 0;
    const QString token = QStringLiteral("velotrix%1").arg(++serial);
    QString path = requestPath(bus, token);
    Answer answer;
    listen(bus, path, answer, true);

    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, "org.freedesktop.portal.Screenshot", "Screenshot");
    call << QString() // no parent window to name
         << QVariantMap{{"handle_token", token}, {"interactive", interactive}};
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &answer.loop, &QEventLoop::quit);
    deadline.start(limit);
    QTimer nudge;
    QObject::connect(&nudge, &QTimer::timeout, [&bus] { nudgeBackends(bus); });
    nudge.start(std::chrono::milliseconds(200));
    const auto waitFlags = QEventLoop::ExcludeUserInputEvents;

    QDBusPendingCallWatcher watcher(bus.asyncCall(call, static_cast<int>(limit.count())));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &answer.loop, &QEventLoop::quit);
    while (!watcher.isFinished() && deadline.isActive()) answer.loop.exec(waitFlags);

    Outcome out;
    const QDBusPendingReply<QDBusObjectPath> reply = watcher;
    if (!watcher.isFinished()) {
        out.problem = ScreenPictureProblem::NoAnswer;
    } else if (reply.isError()) {
        const QDBusError::ErrorType type = reply.error().type();
        out.problem = type == QDBusError::NoReply || type == QDBusError::Timeout ||
                              type == QDBusError::TimedOut
                          ? ScreenPictureProblem::NoAnswer
                          : ScreenPictureProblem::NoService;
    } else if (const QString handle = reply.value().path(); handle != path) {
        // An older portal that names the request its own way.
        listen(bus, path, answer, false);
        path = handle;
        listen(bus, path, answer, true);
    }
    if (out.problem == ScreenPictureProblem::NoProblem) {
        while (!answer.code && deadline.isActive()) answer.loop.exec(waitFlags);
        if (!answer.code) {
            out.problem = ScreenPictureProblem::NoAnswer;
            // The portal may still be at it: the request is withdrawn.
            bus.call(QDBusMessage::createMethodCall(kService, path, kRequest, "Close"),
                     QDBus::NoBlock);
        } else {
            out.code = *answer.code;
            out.uri = answer.results.value("uri").toString();
            if (out.code != kDone) out.problem = ScreenPictureProblem::Refused;
        }
    }
    listen(bus, path, answer, false);
    return out;
}

QImage readAndRemove(const QString& uri) {
    const QUrl url(uri);
    if (!url.isLocalFile()) return {};
    const QString file = url.toLocalFile();
    QImage image(file);
    QFile::remove(file); // asked for by the program and read: it would only pile up
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

PortalPicture portalScreenshot(const PortalLimits& limits) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return {{}, ScreenPictureProblem::NoService};
    Outcome out = request(bus, false, limits.quiet);
    // A quiet request the desktop does not allow may be allowed by the person.
    if (out.problem == ScreenPictureProblem::Refused && out.code != kCancelled)
        out = request(bus, true, limits.asking);
    if (out.problem != ScreenPictureProblem::NoProblem) return {{}, out.problem};
    QImage image = readAndRemove(out.uri);
    if (image.isNull()) return {{}, ScreenPictureProblem::Unreadable};
    return {std::move(image), ScreenPictureProblem::NoProblem};
}

} // namespace vx::win::qt

#include "portal_screenshot.moc"
