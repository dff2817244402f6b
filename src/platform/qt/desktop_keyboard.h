#pragma once
// The keyboard sources of a real desktop.
#include "platform/keyboard.h"
#include <memory>

namespace vx::win::qt {

// Global keys from the X server when one is reachable; otherwise keys seen by the
// program's own windows (the source then reports global() false).
std::unique_ptr<KeyboardSource> makeDesktopKeyboard();
// The windows-only source, on its own (also used where no X server answers).
std::unique_ptr<KeyboardSource> makeFocusKeyboard();
// The X11 source, or null when no X server with XInput2 is reachable.
std::unique_ptr<KeyboardSource> makeX11Keyboard();

} // namespace vx::win::qt
