// Key state from the program's own windows, for desktops that keep global keys to
// themselves: keys act only while one of the program's windows has the focus.
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/vk_map.h"
#include <QApplication>
#include <QKeyEvent>
#include <bitset>

namespace vx::win::qt {
namespace {

class FocusKeyboard : public QObject, public KeyboardSource {
  public:
    FocusKeyboard() {
        if (qApp) qApp->installEventFilter(this);
    }
    ~FocusKeyboard() override {
        if (qApp) qApp->removeEventFilter(this);
    }

    SHORT asyncState(int vKey) override {
        const bool pressedSince = pressed_[vKey];
        pressed_[vKey] = false;
        return static_cast<SHORT>((down_[vKey] ? 0x8000 : 0) | (pressedSince ? 1 : 0));
    }
    void sendKey(BYTE, BYTE, DWORD, std::uintptr_t) override {}
    KeyScope scope() const override { return KeyScope::OwnWindows; }
    void forgetPresses() override { pressed_.reset(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
            const auto* ke = static_cast<QKeyEvent*>(event);
            if (const int vk = vkForKeyEvent(*ke); vk > 0 && vk < 256 && !ke->isAutoRepeat()) {
                down_[vk] = type == QEvent::KeyPress;
                if (type == QEvent::KeyPress) pressed_[vk] = true;
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            down_.reset(); // releases while unfocused never arrive
        }
        return false;
    }

  private:
    std::bitset<256> down_, pressed_;
};

} // namespace

std::unique_ptr<KeyboardSource> makeFocusKeyboard() {
    return std::make_unique<FocusKeyboard>();
}

} // namespace vx::win::qt
