#pragma once
// kernel32 and the system colours.
#include "platform/win_types.h"

namespace vx::win {

void Sleep(DWORD dwMilliseconds);

inline constexpr DWORD QS_ALLINPUT = 0x04FF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
// Sleeps as Sleep does, but returns WAIT_OBJECT_0 + nCount as soon as input comes: a key
// pressed anywhere the keyboard source sees, or a mouse button. Only nCount = 0 (no objects)
// is supported. Pending input is then ready for the next event step.
DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                DWORD dwMilliseconds, DWORD dwWakeMask);
DWORD GetCurrentThreadId();

inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNTEXT = 18;
// The classic desktop's display-element colours, 0x00BBGGRR.
COLORREF GetSysColor(int nIndex);

} // namespace vx::win
