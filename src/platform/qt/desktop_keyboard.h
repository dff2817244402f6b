#pragma once
// The keyboard sources of a real desktop.
#include "platform/keyboard.h"
#include <memory>

namespace vx::win::qt {

// Keys from the X server when one is reachable; otherwise keys seen by the program's own
// windows.
std::unique_ptr<KeyboardSource> makeDesktopKeyboard();
// The windows-only source, on its own (also used where no X server answers).
std::unique_ptr<KeyboardSource> makeFocusKeyboard();
// The X11 source, or null when no X server with XInput2 is reachable.
std::unique_ptr<KeyboardSource> makeX11Keyboard();
// What the X server sees of the keyboard: every key on an X11 desktop; under a Wayland
// compositor (XWayland, told by WAYLAND_DISPLAY or XDG_SESSION_TYPE) only the keys typed
// while one of its own clients has the focus.
KeyScope x11KeyScope();

} // namespace vx::win::qt
