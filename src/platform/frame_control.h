#pragma once
// user32 DrawFrameControl: the classic 3-D frames of controls, in the system colours.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr UINT DFC_BUTTON = 4;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_FLAT = 0x4000;

// Draws a push-button frame (DFC_BUTTON with DFCS_BUTTONPUSH) filling the rectangle: raised,
// or sunken with DFCS_PUSHED, DFCS_CHECKED or DFCS_FLAT. Other frame types are not drawn and
// give FALSE, as does a handle that is not a device context.
BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState);

} // namespace vx::win
