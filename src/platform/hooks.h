#pragma once
// Window hooks: computer-based-training (CBT) hooks on the calling thread. The platform
// reports the creation and activation of the windows it builds itself (the message box).
#include "platform/win_types.h"

namespace vx::win {

using HOOKPROC = LRESULT (*)(std::int32_t code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_CBT = 5;

// CBT event codes. For HCBT_CREATEWND and HCBT_ACTIVATE, wParam is the window's handle;
// lParam is 0 (the 32-bit parameter cannot carry the creation or activation record).
inline constexpr int HCBT_MOVESIZE = 0;
inline constexpr int HCBT_MINMAX = 1;
inline constexpr int HCBT_QS = 2;
inline constexpr int HCBT_CREATEWND = 3;
inline constexpr int HCBT_DESTROYWND = 4;
inline constexpr int HCBT_ACTIVATE = 5;

// Installs a hook for threadId, which must be the calling thread (global hooks and hooks
// on other threads are not available). Returns 0 on failure. The newest hook runs first.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
// Calls the next hook in the chain of the event being delivered; 0 when there is none.
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// FALSE when the handle is not an installed hook (already removed, for instance).
BOOL UnhookWindowsHookEx(HHOOK hhk);

} // namespace vx::win
