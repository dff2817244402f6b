#pragma once
// Global keyboard: the asynchronous key state and synthetic key events.
#include "platform/win_types.h"
#include <chrono>
#include <memory>

namespace vx::win {

inline constexpr DWORD KEYEVENTF_KEYUP = 2;

// Bit 15: the key is down now. Bit 0: it was pressed since the previous query of that key.
SHORT GetAsyncKeyState(int vKey);
void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, std::uintptr_t dwExtraInfo);

// Which keys a source sees.
enum class KeyScope {
    Global,     // whichever program has the focus
    XClients,   // while a window of an X11 program has the focus (X11 under a Wayland desktop)
    OwnWindows, // while one of the program's own windows has the focus
};

// Where key state comes from and where synthetic keys go. The desktop source is chosen at
// start-up; tests install a scripted one.
class KeyboardSource {
  public:
    virtual ~KeyboardSource() = default;
    virtual SHORT asyncState(int vKey) = 0;
    virtual void sendKey(BYTE vk, BYTE scan, DWORD flags, std::uintptr_t extra) = 0;
    virtual KeyScope scope() const = 0;
    // Clears every pressed-since bit; keys held down stay down.
    virtual void forgetPresses() = 0;
    // Blocks until a key or a mouse button goes down where the source can see it, or until
    // the deadline; true when a press ended the wait. A key held down does not end it.
    virtual bool waitForPress(std::chrono::steady_clock::time_point deadline);
    // A descriptor that turns readable when a key or a button may have gone down where the
    // source sees it; -1 when its presses come through the program's own event queue.
    virtual int pressDescriptor() { return -1; }
    // Reads what came on the descriptor: true when a key or a button went down since the
    // last wait or call (a held key repeating does not count).
    virtual bool takePress() { return false; }
};

void setKeyboardSource(std::unique_ptr<KeyboardSource> source);
KeyboardSource& keyboardSource();

} // namespace vx::win
