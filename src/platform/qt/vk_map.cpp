#include "platform/qt/vk_map.h"
#include <QKeyEvent>
#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

namespace vx::win::qt {

unsigned long keysymForVk(int vk) {
    if (vk >= 0x30 && vk <= 0x39) return XK_0 + (vk - 0x30);
    if (vk >= 0x41 && vk <= 0x5A) return XK_a + (vk - 0x41);
    if (vk >= 0x60 && vk <= 0x69) return XK_KP_0 + (vk - 0x60);
    if (vk >= 0x70 && vk <= 0x7B) return XK_F1 + (vk - 0x70);
    switch (vk) {
    case 0x08: return XK_BackSpace;
    case 0x09: return XK_Tab;
    case 0x0D: return XK_Return;
    case 0x10: return XK_Shift_L;
    case 0x11: return XK_Control_L;
    case 0x12: return XK_Alt_L;
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x25: return XK_Left;
    case 0x26: return XK_Up;
    case 0x27: return XK_Right;
    case 0x28: return XK_Down;
    case 0x5B: return XK_Super_L;
    case 0x5C: return XK_Super_R;
    default: return 0;
    }
}

int vkForKeyEvent(const QKeyEvent& e) {
    const int k = e.key();
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? 0x60 : 0x30) + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 0x41 + (k - Qt::Key_A);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 0x70 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Meta: return 0x5B;
    default: return 0;
    }
}

} // namespace vx::win::qt
