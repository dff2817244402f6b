#include "platform/keyboard.h"
#include <thread>

namespace vx::win {
namespace {
// Until the program installs a source, keys read as up and synthetic keys go nowhere.
class NoKeyboard : public KeyboardSource {
  public:
    SHORT asyncState(int) override { return 0; }
    void sendKey(BYTE, BYTE, DWORD, std::uintptr_t) override {}
    KeyScope scope() const override { return KeyScope::OwnWindows; }
    void forgetPresses() override {}
};
std::unique_ptr<KeyboardSource>& current() {
    static std::unique_ptr<KeyboardSource> s = std::make_unique<NoKeyboard>();
    return s;
}
} // namespace

// A source that cannot see presses coming waits the whole time.
bool KeyboardSource::waitForPress(std::chrono::steady_clock::time_point deadline) {
    std::this_thread::sleep_until(deadline);
    return false;
}

void setKeyboardSource(std::unique_ptr<KeyboardSource> source) {
    current() = source ? std::move(source) : std::make_unique<NoKeyboard>();
}
KeyboardSource& keyboardSource() {
    return *current();
}

SHORT GetAsyncKeyState(int vKey) {
    if (vKey < 1 || vKey > 254) return 0;
    return current()->asyncState(vKey);
}

void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, std::uintptr_t dwExtraInfo) {
    current()->sendKey(bVk, bScan, dwFlags, dwExtraInfo);
}

} // namespace vx::win
