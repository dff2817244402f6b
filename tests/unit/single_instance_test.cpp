// One copy per user and desktop: the name, the request to a running copy, and what a crash
// leaves behind. Both sides run in this process; the new copy's wait serves the listener.
#include "platform/single_instance.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vx::win {
namespace {

struct NameCase {
    const char* display;
    const char* name;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << "display \"" << c.display << '"';
}

class InstanceName : public ::testing::TestWithParam<NameCase> {};

TEST_P(InstanceName, OneNamePerUserAndDisplay) {
    EXPECT_EQ(instanceName("velotrix", 1000, GetParam().display), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InstanceName,
    ::testing::Values(NameCase{":0", "velotrix-1000-_0"}, NameCase{":0.0", "velotrix-1000-_0"},
                      NameCase{"unix:0.1", "velotrix-1000-_0"},
                      NameCase{":10", "velotrix-1000-_10"},
                      NameCase{"localhost:10.0", "velotrix-1000-localhost_10"},
                      NameCase{"host.example.org:2", "velotrix-1000-host.example.org_2"},
                      NameCase{"wayland-0", "velotrix-1000-wayland-0"},
                      NameCase{"../x/ y;$:1", "velotrix-1000-.._x__y___1"},
                      NameCase{"", "velotrix-1000-"},
                      NameCase{"0123456789012345678901234567890123456789:5",
                               "velotrix-1000-0123456789012345678901234567890123456789"}));

// Serves events until cond() holds; false after three seconds.
bool serveUntil(const std::function<bool()>& cond) {
    const QDeadlineTimer deadline(3000);
    while (!cond() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return cond();
}

class SingleInstance : public ::testing::Test {
  protected:
    void TearDown() override { releaseInstance(); }
    std::string path() const { return dir.filePath("velotrix-test").toStdString(); }
    // A Unix socket at the path; listening but never answering, or closed as a crash leaves it.
    int bindSocket(bool listening) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path().c_str());
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        if (listening) {
            EXPECT_EQ(listen(fd, 4), 0);
            return fd;
        }
        close(fd);
        return -1;
    }

    QTemporaryDir dir;
    int activated = 0;
    std::function<void()> count = [this] { ++activated; };
};

TEST_F(SingleInstance, ALaterStartActivatesTheRunningCopyUntilItLetsGo) {
    ASSERT_EQ(claimInstanceAt(path(), count), InstanceStart::First);
    EXPECT_EQ(claimInstanceAt(path(), nullptr), InstanceStart::Activated);
    EXPECT_EQ(claimInstanceAt(path(), nullptr), InstanceStart::Activated);
    EXPECT_EQ(activated, 2);
    releaseInstance();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path())));
    EXPECT_EQ(claimInstanceAt(path(), nullptr), InstanceStart::First);
    EXPECT_EQ(activated, 2);
}

TEST_F(SingleInstance, SocketAndLockLeftByACrashDoNotBlockTheNextStart) {
    bindSocket(false);
    // A lock taken by a process that then died without letting go.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(QString::fromStdString(path() + ".lock"));
        _exit(lock.tryLock() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(path() + ".lock")));

    ASSERT_EQ(claimInstanceAt(path(), count), InstanceStart::First);
    EXPECT_EQ(claimInstanceAt(path(), nullptr), InstanceStart::Activated);
    EXPECT_EQ(activated, 1);
}

TEST_F(SingleInstance, ACopyStartedTogetherWithAnotherAsksItOnceItListens) {
    // The other copy holds the start lock until it listens, then answers one request.
    const int held = open((path() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const int fd = bindSocket(true);
        close(held);
        const int client = accept(fd, nullptr, nullptr);
        char request[64];
        EXPECT_GT(read(client, request, sizeof request), 0);
        EXPECT_EQ(write(client, "ok\n", 3), 3);
        close(client);
        close(fd);
    });
    EXPECT_EQ(claimInstanceAt(path(), count), InstanceStart::Activated);
    other.join();
    EXPECT_EQ(activated, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path() + ".lock")));
}

TEST_F(SingleInstance, ACopyThatDoesNotAnswerIsReportedNotReplaced) {
    const int fd = bindSocket(true);
    EXPECT_EQ(claimInstanceAt(path(), count, 200), InstanceStart::Unanswered);
    close(fd);
}

TEST_F(SingleInstance, ASocketOfAnotherUserIsNeitherAskedNorRemoved) {
    if (getuid() != 0) GTEST_SKIP() << "making a file of another user needs root";
    bindSocket(false);
    ASSERT_EQ(chown(path().c_str(), 65534, 65534), 0);
    EXPECT_EQ(claimInstanceAt(path(), count), InstanceStart::First);
    const QFileInfo after(QString::fromStdString(path()));
    EXPECT_TRUE(after.exists());
    EXPECT_EQ(after.ownerId(), 65534u);
}

TEST_F(SingleInstance, ABadRequestIsDroppedAndTheListenerKeepsServing) {
    ASSERT_EQ(claimInstanceAt(path(), count), InstanceStart::First);
    for (const std::string& request : {std::string("hello\n"), std::string(200, 'a')}) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path().c_str());
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        ASSERT_EQ(send(fd, request.data(), request.size(), 0), ssize_t(request.size()));
        // Dropped: the listener closes the connection without an answer.
        char answer = 0;
        EXPECT_TRUE(serveUntil([&] { return recv(fd, &answer, 1, 0) == 0; })) << request;
        close(fd);
    }
    EXPECT_EQ(activated, 0);
    EXPECT_EQ(claimInstanceAt(path(), nullptr), InstanceStart::Activated);
    EXPECT_EQ(activated, 1);
}

} // namespace
} // namespace vx::win
