// Global key state from the X server: bit 15 from the server's key map, bit 0 from raw
// key-press events seen since the key was last queried. Synthetic keys go through XTest;
// the Windows+M chord becomes the desktop's show-desktop request.
#include "platform/qt/desktop_face.h"
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/display_loss.h"
#include "platform/qt/end_signals.h"
#include "platform/qt/vk_map.h"
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <bitset>
#include <cerrno>
#include <poll.h>
#include <utility>

namespace vx::win::qt {
namespace {

constexpr int kVkLWin = 0x5B;
constexpr int kVkM = 0x4D;

class X11Keyboard : public KeyboardSource {
  public:
    X11Keyboard(Display* dpy, int xiOpcode, KeyScope scope)
        : dpy_(dpy), xiOpcode_(xiOpcode), scope_(scope) {}
    ~X11Keyboard() override { XCloseDisplay(dpy_); }

    SHORT asyncState(int vKey) override {
        refresh();
        const KeyCode kc = keycodeFor(vKey);
        if (!kc) return 0;
        const bool pressedSince = pressed_[kc];
        pressed_[kc] = false;
        return static_cast<SHORT>((down_[kc] ? 0x8000 : 0) | (pressedSince ? 1 : 0));
    }

    void sendKey(BYTE vk, BYTE, DWORD flags, std::uintptr_t) override {
        const bool up = flags & KEYEVENTF_KEYUP;
        if (vk == kVkLWin) {
            winDown_ = !up;
            return;
        }
        if (winDown_ && vk == kVkM) {
            if (!up) requestShowDesktop();
            return;
        }
        if (const KeyCode kc = keycodeFor(vk)) {
            XTestFakeKeyEvent(dpy_, kc, up ? False : True, CurrentTime);
            XFlush(dpy_);
        }
    }

    KeyScope scope() const override { return scope_; }

    void forgetPresses() override {
        drainRawEvents();
        pressed_.reset();
    }

    // The raw presses arrive on this connection of ours, so the wait is a poll on its socket.
    bool waitForPress(std::chrono::steady_clock::time_point deadline) override {
        drainRawEvents();
        while (!freshPress_) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p[2] = {{ConnectionNumber(dpy_), POLLIN, 0}, {endSignalFd(), POLLIN, 0}};
            if (::poll(p, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
            endIfHungUp(p[0]);
            if (p[1].revents & POLLIN) break; // the event step answers a request to end
            drainRawEvents();
        }
        return std::exchange(freshPress_, false);
    }

    int pressDescriptor() override { return ConnectionNumber(dpy_); }

    bool takePress() override {
        drainRawEvents(); // leaves nothing in Xlib's queue that the descriptor would not show
        return std::exchange(freshPress_, false);
    }

  private:
    // Xlib reports a lost server from its read; a hang-up with nothing left to read may not
    // get that far.
    static void endIfHungUp(const pollfd& p) {
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) displayLost();
    }

    // Looked up once per key; a new keyboard mapping looks them up again.
    KeyCode keycodeFor(int vk) {
        if (vk < 0 || vk > 255) return 0;
        if (!keycodeKnown_[vk]) {
            const unsigned long sym = keysymForVk(vk);
            keycodes_[vk] = sym ? XKeysymToKeycode(dpy_, sym) : 0;
            keycodeKnown_[vk] = true;
        }
        return keycodes_[vk];
    }

    // Which keys are down follows the raw presses and releases, so an idle poll makes no
    // round trip to the server. The server's key map, asked at the first poll and then once a
    // second while a key is down, sets it right should a release ever slip, as a key wrongly
    // held would act again and again; while all keys are up there is no release to miss. The
    // events queued before its answer are older than it and leave the same state once
    // applied. The queries of one poll, microseconds apart, share one look at the
    // socket; a press in between shows at the next poll, which it wakes.
    void refresh() {
        const auto now = std::chrono::steady_clock::now();
        if (now - drainedAt_ < std::chrono::milliseconds(1)) return;
        drainedAt_ = now;
        const bool firstPoll = keymapAt_ == std::chrono::steady_clock::time_point{};
        if (firstPoll || (down_.any() && now - keymapAt_ >= std::chrono::seconds(1))) {
            char map[32];
            XQueryKeymap(dpy_, map);
            for (int kc = 0; kc < 256; ++kc) down_[kc] = map[kc / 8] & (1 << (kc % 8));
            keymapAt_ = now;
        }
        drainRawEvents();
    }

    void drainRawEvents() {
        // Most looks find nothing: one poll says so, where Xlib would read the socket twice.
        if (XQLength(dpy_) == 0) {
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0) return;
            endIfHungUp(p);
        }
        while (XPending(dpy_)) {
            XEvent ev;
            XNextEvent(dpy_, &ev);
            if (ev.type == MappingNotify) {
                XRefreshKeyboardMapping(&ev.xmapping);
                keycodeKnown_.reset();
                continue;
            }
            XGenericEventCookie* cookie = &ev.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != xiOpcode_) continue;
            if (!XGetEventData(dpy_, cookie)) continue;
            const auto* raw = static_cast<XIRawEvent*>(cookie->data);
            const bool key = raw->detail >= 0 && raw->detail < 256;
            if (cookie->evtype == XI_RawKeyRelease) {
                if (key) down_[raw->detail] = false;
            } else {
                if (cookie->evtype == XI_RawKeyPress && key) {
                    down_[raw->detail] = true;
                    pressed_[raw->detail] = true;
                }
                freshPress_ = freshPress_ || !(raw->flags & XIKeyRepeat);
            }
            XFreeEventData(dpy_, cookie);
        }
    }

    void requestShowDesktop() {
        const Window root = DefaultRootWindow(dpy_);
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = root;
        ev.xclient.message_type = XInternAtom(dpy_, "_NET_SHOWING_DESKTOP", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = 1;
        XSendEvent(dpy_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
        XFlush(dpy_);
    }

    Display* dpy_;
    int xiOpcode_;
    KeyScope scope_;
    std::bitset<256> pressed_;
    std::bitset<256> keycodeKnown_;
    KeyCode keycodes_[256] = {};
    bool freshPress_ = false; // a key or button went down since the last wait
    std::bitset<256> down_;
    std::chrono::steady_clock::time_point keymapAt_, drainedAt_; // the epoch: ask at once
    bool winDown_ = false;
};

} // namespace

std::unique_ptr<KeyboardSource> makeX11Keyboard() {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return nullptr;
    int opcode = 0, event = 0, error = 0;
    // 2.2: raw events come even while another client grabs the keyboard, so no release is
    // lost to a menu or a window manager's switcher.
    int major = 2, minor = 2;
    if (!XQueryExtension(dpy, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(dpy, &major, &minor) != Success) {
        XCloseDisplay(dpy);
        return nullptr;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress); // a click wakes the key loop's pause
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(dpy, DefaultRootWindow(dpy), &mask, 1);
    XFlush(dpy);
    return std::make_unique<X11Keyboard>(dpy, opcode, x11KeyScope());
}

KeyScope x11KeyScope() {
    return waylandSession() ? KeyScope::XClients : KeyScope::Global;
}

std::unique_ptr<KeyboardSource> makeDesktopKeyboard() {
    // With Qt on Wayland no window of the program is an X client, so XWayland would see none
    // of the keys meant for it. With Qt on X11 the source tells how far its keys reach.
    if (QGuiApplication::platformName() == "xcb")
        if (auto x11 = makeX11Keyboard()) return x11;
    return makeFocusKeyboard();
}

} // namespace vx::win::qt
