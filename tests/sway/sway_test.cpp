// The real program on a real Wayland compositor: headless sway with Xwayland, PipeWire and the
// wlr screenshot portal, run as the unprivileged user `nobody` (sway refuses root). Keys are
// typed with wtype, the screen is read with grim. Once with Velotrix drawing natively, once on
// XWayland. Run by private_session.sh, which gives the run a /tmp and namespaces of its own.
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace vx::sway {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool onPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A sway session of its own as `nobody`, with a session bus, PipeWire and Xwayland.
class SwaySession {
  public:
    explicit SwaySession(double scale) : dir_("/tmp/wl-run") {
        fs::remove_all(dir_); // a run before this one in the same process
        fs::create_directories(dir_ + "/home");
        // The clone may sit where nobody cannot reach: the program is copied in.
        const char* bin = std::getenv("VELOTRIX_BIN");
        fs::copy_file(bin && *bin ? bin : VELOTRIX_BUILT_BIN, dir_ + "/velotrix");
        std::ofstream(dir_ + "/config")
            << "output HEADLESS-1 resolution 1280x960 scale " << scale << "\n"
            << "xwayland force\ndefault_border none\nexec pipewire\n"
            << "exec dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY "
               "XDG_CURRENT_DESKTOP\n";
        std::system(("chown -R nobody:nogroup " + dir_ + " && chmod 700 " + dir_).c_str());
        bus_ =
            spawn({"dbus-daemon", "--session", "--nofork", "--address=unix:path=" + dir_ + "/bus"},
                  dir_ + "/bus.log");
        waitFor([&] { return fs::exists(dir_ + "/bus"); }, 5s);
        sway_ = spawn({"sway", "-c", dir_ + "/config"}, dir_ + "/sway.log");
        ready_ = waitFor([&] { return fs::exists(dir_ + "/wayland-1"); }, 10s) &&
                 waitFor([] { return fs::exists("/tmp/.X11-unix/X0"); }, 10s);
    }
    ~SwaySession() {
        for (pid_t p : {app_, sway_, bus_})
            if (p > 0) kill(p, SIGTERM);
        for (pid_t p : {app_, sway_, bus_})
            if (p > 0) waitpid(p, nullptr, 0);
    }
    bool ready() const { return ready_; }

    // Starts the program on the platform given ("wayland" or "xcb").
    void startApp(const std::string& platform) {
        app_ = spawn({dir_ + "/velotrix"}, dir_ + "/app.log", {"QT_QPA_PLATFORM=" + platform});
    }
    std::string log(const char* name) const {
        std::ifstream in(dir_ + "/" + name);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // One scenario per call: wtype's new virtual keyboard may lose its first key.
    void type(const std::vector<std::string>& args) {
        std::vector<std::string> cmd{"wtype", "-s", "300"};
        cmd.insert(cmd.end(), args.begin(), args.end());
        wait(spawn(cmd));
    }
    // The compositor's output, 0xAARRGGBB.
    QImage screen() {
        const std::string file = dir_ + "/shot.ppm";
        fs::remove(file);
        wait(spawn({"grim", "-t", "ppm", file}));
        return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    }
    std::string tree() {
        const std::string file = dir_ + "/tree.json";
        std::string sock;
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename().string().starts_with("sway-ipc.")) sock = e.path();
        wait(spawn({"swaymsg", "-s", sock, "-t", "get_tree"}, file));
        std::ifstream in(file);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool waitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (!cond()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(100ms);
        }
        return true;
    }

  private:
    // Runs a command as nobody with the session's environment; its output goes to `out`.
    pid_t spawn(const std::vector<std::string>& args, const std::string& out = "/dev/null",
                const std::vector<std::string>& extra = {}) {
        std::vector<std::string> cmd{"setpriv",
                                     "--reuid",
                                     "nobody",
                                     "--regid",
                                     "nogroup",
                                     "--clear-groups",
                                     "env",
                                     "-i",
                                     "PATH=/usr/bin:/bin",
                                     "HOME=" + dir_ + "/home",
                                     "XDG_RUNTIME_DIR=" + dir_,
                                     "DBUS_SESSION_BUS_ADDRESS=unix:path=" + dir_ + "/bus",
                                     "WAYLAND_DISPLAY=wayland-1",
                                     "DISPLAY=:0",
                                     "XDG_SESSION_TYPE=wayland",
                                     "XDG_CURRENT_DESKTOP=sway",
                                     "WLR_BACKENDS=headless",
                                     "WLR_RENDERER=pixman",
                                     "WLR_LIBINPUT_NO_DEVICES=1"};
        cmd.insert(cmd.end(), extra.begin(), extra.end());
        cmd.insert(cmd.end(), args.begin(), args.end());
        const pid_t pid = fork();
        if (pid == 0) {
            const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, 1);
            dup2(fd, 2);
            std::vector<char*> argv;
            for (auto& a : cmd) argv.push_back(a.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }
    static void wait(pid_t pid) { waitpid(pid, nullptr, 0); }

    std::string dir_;
    pid_t bus_ = -1, sway_ = -1, app_ = -1;
    bool ready_ = false;
};

bool solid(const QImage& img, QRgb colour) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != colour) return false;
    return !img.isNull();
}

// Black and white stripes of `width` device pixels over the whole output: each line across
// the stripes has one colour, which flips exactly at every multiple of the width.
bool stripes(const QImage& img, int width, bool changesDownwards) {
    if (img.isNull()) return false;
    const int across = changesDownwards ? img.height() : img.width();
    const int along = changesDownwards ? img.width() : img.height();
    const auto at = [&](int i, int j) {
        return changesDownwards ? img.pixel(j, i) : img.pixel(i, j);
    };
    for (int i = 0; i < across; ++i) {
        const QRgb c = at(i, 0);
        if (c != 0xFF000000 && c != 0xFFFFFFFF) return false;
        for (int j = 1; j < along; ++j)
            if (at(i, j) != c) return false;
        if (i > 0 && (at(i - 1, 0) != c) != (i % width == 0)) return false;
    }
    return true;
}

// The control window shows: its yellow title is on the output.
bool controlWindowShown(const QImage& img) {
    int yellow = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (img.pixel(x, y) == 0xFFFFFF00) ++yellow;
    return yellow > 50;
}

// How much of the two pictures is of the same colours, wherever they are: a picture that has
// begun to crumble keeps its colours for a while.
double colourShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 0;
    std::unordered_map<QRgb, long> count;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) ++count[a.pixel(x, y)];
    long same = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (auto it = count.find(b.pixel(x, y)); it != count.end() && it->second > 0) {
                --it->second;
                ++same;
            }
    return static_cast<double>(same) / (static_cast<double>(a.width()) * a.height());
}

double sameShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 0;
    long same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) same += a.pixel(x, y) == b.pixel(x, y);
    return static_cast<double>(same) / (static_cast<double>(a.width()) * a.height());
}

struct SwayRun {
    const char* name;
    const char* platform; // "wayland" natively, "xcb" on XWayland
    double scale;
};

void PrintTo(const SwayRun& r, std::ostream* os) {
    *os << r.name;
}

class Sway : public ::testing::TestWithParam<SwayRun> {
  protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "needs root: the compositor runs as nobody";
        if (const char* why = std::getenv("VELOTRIX_SWAY_SKIP")) GTEST_SKIP() << why;
        for (const char* tool :
             {"sway", "Xwayland", "wtype", "grim", "pipewire", "setpriv", "dbus-daemon", "swaymsg"})
            if (!onPath(tool)) GTEST_SKIP() << tool << " is not installed (scripts/setup)";
        if (!fs::exists("/usr/libexec/xdg-desktop-portal-wlr"))
            GTEST_SKIP() << "xdg-desktop-portal-wlr is not installed (scripts/setup)";
        session = std::make_unique<SwaySession>(GetParam().scale);
        ASSERT_TRUE(session->ready()) << "sway or its Xwayland did not start";
        session->startApp(GetParam().platform);
        ASSERT_TRUE(
            SwaySession::waitFor([&] { return controlWindowShown(session->screen()); }, 15s))
            << "the control window did not map\n"
            << session->log("app.log");
    }
    // Types a scenario until the screen shows what `shown` wants; a lost first key is typed
    // again, as a person would press it again.
    bool until(const std::vector<std::string>& keys,
               const std::function<bool(const QImage&)>& shown,
               std::chrono::milliseconds patience = 3s) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            session->type(keys);
            if (SwaySession::waitFor([&] { return shown(session->screen()); }, patience))
                return true;
        }
        return false;
    }
    std::unique_ptr<SwaySession> session;
};

// 1, V+L, H+L and Escape: exact device pixels where the scale is whole; the resampling words
// only where it is not.
TEST_P(Sway, PatternsAreExactOrTheProgramSaysTheDesktopResamples) {
    const SwayRun& run = GetParam();
    const bool whole = run.scale == 1 || run.scale == 2;
    const int width = static_cast<int>(4 * run.scale + 0.5); // 4 at 100 %, 5 at 125 %, 8 at 200 %
    EXPECT_TRUE(until({"1"}, [](const QImage& s) { return solid(s, 0xFFFF0000); }))
        << "1 did not fill the output with red";
    EXPECT_TRUE(until({"-k", "Escape"}, controlWindowShown));
    // The second key of a pair held 150 ms, so that the program's 50 ms poll sees both.
    const std::vector<std::string> vl{"-P", "v",   "-s", "100", "-P", "l",
                                      "-s", "150", "-p", "l",   "-p", "v"};
    const std::vector<std::string> hl{"-P", "h",   "-s", "100", "-P", "l",
                                      "-s", "150", "-p", "l",   "-p", "h"};
    if (whole) {
        EXPECT_TRUE(until(vl, [&](const QImage& s) { return stripes(s, width, true); }))
            << "V+L: no exact " << width << "-pixel stripes";
        EXPECT_TRUE(until({"-k", "Escape"}, controlWindowShown));
        EXPECT_TRUE(until(hl, [&](const QImage& s) { return stripes(s, width, false); }))
            << "H+L: no exact " << width << "-pixel stripes";
        EXPECT_TRUE(until({"-k", "Escape"}, controlWindowShown));
    }
    const std::string said = "This desktop scales Velotrix's windows by 125 %";
    EXPECT_EQ(session->log("app.log").find(said) != std::string::npos, !whole)
        << session->log("app.log");
}

class SwayEffect : public Sway {};

// T pictures the output through the portal and crumbles that picture.
TEST_P(SwayEffect, CrumblesAPictureOfTheScreen) {
    std::this_thread::sleep_for(1s);
    const QImage before = session->screen();
    // The first request starts the desktop's portal and its backends, which takes a while on
    // a busy machine.
    const bool effectUp = until(
        {"t"},
        [&](const QImage&) {
            return session->tree().find("\"name\": \"frmEff\"") != std::string::npos;
        },
        8s);
    ASSERT_TRUE(effectUp) << "no effect window\n"
                          << session->log("app.log") << session->log("bus.log");
    const QImage first = session->screen();
    // Of the screen's colours, far more than a black picture would be, though it may have
    // begun to crumble (at twice the scale it crumbles in fewer, larger pixels, and sooner).
    QImage black(before.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_GT(colourShare(before, first), std::max(0.8, colourShare(before, black) + 0.4))
        << "the effect does not show the screen";
    EXPECT_TRUE(SwaySession::waitFor([&] { return sameShare(first, session->screen()) < 1.0; }, 5s))
        << "the picture does not crumble";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Sway,
    ::testing::Values(SwayRun{"native100", "wayland", 1}, SwayRun{"native200", "wayland", 2},
                      SwayRun{"native125", "wayland", 1.25}, SwayRun{"xwayland100", "xcb", 1},
                      SwayRun{"xwayland200", "xcb", 2}, SwayRun{"xwayland125", "xcb", 1.25}),
    [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Runs, SwayEffect,
                         ::testing::Values(SwayRun{"native100", "wayland", 1},
                                           SwayRun{"native200", "wayland", 2},
                                           SwayRun{"xwayland100", "xcb", 1},
                                           SwayRun{"xwayland200", "xcb", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vx::sway
