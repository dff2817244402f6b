#pragma once
// Virtual-key codes to X keysyms and from Qt key events.
#include <cstdint>

class QKeyEvent;

namespace vx::win::qt {

// The X keysym of a virtual-key code, 0 when the key has none here.
unsigned long keysymForVk(int vk);
// The virtual-key code of a Qt key event, 0 when unknown.
int vkForKeyEvent(const QKeyEvent& e);

} // namespace vx::win::qt
