#include "platform/qt/display_check.h"
#include <X11/Xlib.h>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vx::win::qt {
namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// A Qt option of the command line ("-platform offscreen", also with two dashes), or empty.
std::string qtOption(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view a = argv[i];
        if (a.starts_with("--")) a.remove_prefix(1);
        if (a.size() == name.size() + 1 && a[0] == '-' && a.substr(1) == name) return argv[i + 1];
    }
    return {};
}

bool xAnswers(const std::string& name) {
    if (name.empty()) return false;
    Display* dpy = XOpenDisplay(name.c_str());
    if (!dpy) return false;
    XCloseDisplay(dpy);
    return true;
}

// The compositor's socket, where libwayland looks for it.
bool waylandAnswers(const std::string& name) {
    if (name.empty()) return false;
    const std::string path = name[0] == '/' ? name : env("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path[0] != '/' || path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

} // namespace

std::optional<std::string> missingDisplay(int argc, char** argv) {
    std::string platforms = qtOption(argc, argv, "platform");
    if (platforms.empty()) platforms = env("QT_QPA_PLATFORM");
    // Qt tries the platforms of a list in turn; without one it takes X11, after Wayland in a
    // Wayland session.
    bool x11 = platforms.empty();
    bool wayland = platforms.empty() && env("XDG_SESSION_TYPE") == "wayland";
    for (std::size_t from = 0; from < platforms.size();) {
        std::size_t end = platforms.find(';', from);
        if (end == std::string::npos) end = platforms.size();
        const std::string_view entry = std::string_view(platforms).substr(from, end - from);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb")
            x11 = true;
        else if (name.starts_with("wayland"))
            wayland = true;
        else if (!name.empty())
            return std::nullopt; // offscreen, vnc, ...: no display needed
        from = end + 1;
    }

    std::string x11Name = qtOption(argc, argv, "display");
    if (x11Name.empty()) x11Name = env("DISPLAY");
    const std::string waylandName = env("WAYLAND_DISPLAY");
    if ((x11 && xAnswers(x11Name)) || (wayland && waylandAnswers(waylandName))) return std::nullopt;

    std::string why =
        x11Name.empty() ? "DISPLAY is not set" : "the X display " + x11Name + " does not answer";
    if (wayland && !waylandName.empty()) why += ", nor does the Wayland display " + waylandName;
    return "velotrix: no display to show the windows on (" + why +
           "); start Velotrix from a desktop session, or set DISPLAY to a running X server";
}

std::string preferredPlatforms(int argc, char** argv) {
    if (!qtOption(argc, argv, "platform").empty() || !env("QT_QPA_PLATFORM").empty()) return {};
    return waylandAnswers(env("WAYLAND_DISPLAY")) ? "wayland;xcb" : "";
}

} // namespace vx::win::qt
