#pragma once
// The pause of a polling loop: waits for input or for the next thing the event step has to
// serve, without serving it.
#include "platform/win_types.h"

namespace vx::win {

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD QS_ALLINPUT = 0x04FF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// Only nCount = 0 (no objects) is supported. Returns WAIT_OBJECT_0 + nCount as soon as
// input comes (a key pressed anywhere the keyboard source sees it, or a mouse button), and
// WAIT_TIMEOUT after dwMilliseconds.
// - A timed wait is the pause of a loop that acts on a held key: the program's windows get
//   what was drawn before it and their first paint meanwhile, nothing else is served, and
//   only a new press ends it early.
// - An INFINITE wait is the pause of an idle loop: it also ends, serving nothing, as soon as
//   the event step has something to serve: a timer that is due, a posted event (a repaint),
//   a window-system event. It costs nothing until then.
DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                DWORD dwMilliseconds, DWORD dwWakeMask);

} // namespace vx::win
