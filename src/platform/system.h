#pragma once
// The thread id and the system colours.
#include "platform/win_types.h"

namespace vx::win {

DWORD GetCurrentThreadId();

inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNTEXT = 18;
// The classic desktop's display-element colours, 0x00BBGGRR.
COLORREF GetSysColor(int nIndex);

} // namespace vx::win
