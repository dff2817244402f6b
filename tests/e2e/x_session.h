#pragma once
// An X server of its own with the real velotrix binary on it: keys through XTest, pixels
// read back from the root window. Xvfb, or the X.Org server on its dummy video driver with
// VELOTRIX_E2E_SERVER=xorg. With VELOTRIX_E2E_WM=openbox (or metacity, or xfwm4) in the
// environment the server also runs that window manager, started before the program; the
// X.Org server runs openbox unless the variable is set.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Xlib's types without its macros, which collide with GoogleTest's names.
typedef struct _XDisplay Display;
typedef unsigned long Window;

namespace vx::e2e {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

class XSession {
  public:
    // With monitors, the screen is split into them (see setMonitors) before a window
    // manager starts.
    XSession(int width, int height, const std::vector<Rect>& monitors = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    Display* display() const { return dpy_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // True when the sessions run the X.Org server (VELOTRIX_E2E_SERVER=xorg), not Xvfb.
    static bool realServer();
    // True when a window manager manages the screen.
    bool windowManager() const { return wm_ > 0; }
    // True when a compositing manager puts the windows' pictures together on the screen.
    bool compositing() const;

    // Starts velotrix and waits for its main window; false if it did not appear.
    bool startApp(const std::string& env = "");
    Window mainWindow() const { return main_; }
    // The client area of a window on the screen.
    Rect geometry(Window w) const;
    // True when the window uses the screen's own colormap.
    bool onScreenColormap(Window w) const;
    // The window with its frame: the window manager's frame around it, or the window itself.
    Rect frameGeometry(Window w) const;
    // The client windows that are mapped now, by title (inside their frames under a window
    // manager), the lowest in the stacking order first.
    std::optional<Window> findWindow(const std::string& title, bool exact = false) const;
    std::vector<Window> findWindows(const std::string& title, bool exact = false) const;
    bool appRunning();
    pid_t appPid() const { return app_; }
    // The program's resident memory now, from /proc.
    double residentMegabytes() const;
    // Waits for the program to end; its exit code (128 + the signal for a death by signal),
    // or nullopt on timeout.
    std::optional<int> waitExit(std::chrono::milliseconds timeout);
    // The signal that ended the program; 0 when it exited or still runs.
    int killedBy() const { return killedBy_; }
    // What the program wrote to standard error so far.
    std::string appErrors() const;
    // Ends the X server as at a logout. Nothing that needs the server may be called after.
    void stopServer();
    // Another velotrix on this display beside the one of startApp, with arguments and
    // "NAME=value" environment entries; it is killed with the session if still running.
    pid_t startOther(const std::vector<std::string>& args = {},
                     const std::vector<std::string>& env = {});
    // Its exit code, or nullopt if it is still running after the timeout.
    std::optional<int> waitOther(pid_t pid, std::chrono::milliseconds timeout);

    // While any key is down every core is kept busy, as on a loaded desktop.
    void keyDown(const char* keysym);
    void keyUp(const char* keysym);
    // Holds the keys until cond() holds or the timeout passes; releases them in any case.
    bool holdUntil(std::initializer_list<const char*> keys, const std::function<bool()>& cond,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));
    void click(int x, int y, int button = 1);
    void moveTo(int x, int y);
    void closeWindow(Window w); // the window manager's close request
    // Moves a top-level window, as the user drags it.
    void moveWindow(Window w, int x, int y);
    // Splits the screen into monitors, as RandR reports them to the program: M0, M1, ...
    // The first takes the server's output; they last as long as the session. Before
    // startApp. Under xfwm4 they are outputs DUMMY0, DUMMY1, ... (see dummy_outputs.h).
    void setMonitors(const std::vector<Rect>& monitors);
    // Takes monitor i away, as a panel unplugged.
    void removeMonitor(int i);
    // Maps a window of another client and gives it the input focus; true when it has it.
    bool focusOtherClient();
    // Maps a window of another client (this session's connection), filled with 0xRRGGBB,
    // and waits until it is on the screen; 0 if it did not appear.
    Window mapOtherClient(const Rect& r, unsigned rgb = 0x000000);
    // Maps a panel along the top of the screen that reserves its height (a dock with a
    // strut); 0 if it did not appear.
    Window mapPanel(int height);
    // Brings another client's window in front of the others, as a user activating it.
    void raise(Window w);
    // Asks the window manager to minimise a window, as a task bar does.
    void minimise(Window w);
    // Asks the window manager to take a _NET_WM_STATE_... state off a window, as a pager does.
    void dropState(Window w, const std::string& state);
    // Stops the window manager, as one too busy to answer, or lets it go on again.
    void pauseWindowManager(bool paused);
    // Asks the window manager to show its desktop n (0 the first), as a pager does.
    void switchDesktop(int n);
    bool viewable(Window w) const;
    // The window that has the input focus (inside its frame).
    Window focus() const;
    // A 32-bit property (CARDINAL, ATOM, WM_SIZE_HINTS...) as numbers; empty when unset.
    std::vector<unsigned long> property(Window w, const std::string& name) const;
    // An ATOM list property by names.
    std::vector<std::string> atomNames(Window w, const std::string& name) const;

    // 0xRRGGBB of a root-window pixel.
    unsigned pixel(int x, int y) const;
    // The whole root window, row by row, 0xRRGGBB.
    std::vector<unsigned> grab() const;
    // A rectangle of the root window, row by row, 0xRRGGBB; empty if it is off the screen.
    std::vector<unsigned> grab(const Rect& r) const;
    // Polls until cond() holds; false on timeout.
    static bool waitFor(const std::function<bool()>& cond,
                        std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));
    void saveScreenshot(const std::string& path) const;

  private:
    int width_, height_;
    int number_ = -1;
    pid_t xvfb_ = -1, app_ = -1, wm_ = -1;
    bool wmFailed_ = false;
    bool dummy_ = false; // an X.Org server with the dummy driver in place of Xvfb
    Display* dpy_ = nullptr;
    Window main_ = 0;
    std::optional<int> exitCode_;
    int killedBy_ = 0;
    std::vector<pid_t> others_;
    std::string runtimeDir_;
    int held_ = 0;
    std::vector<pid_t> burners_;
    void startBurners();
    void stopBurners();
    void startWindowManager(const std::string& name);
    std::vector<std::string> serverCommand(const std::string& name) const;
    bool waitViewable(Window w) const;
};

} // namespace vx::e2e
