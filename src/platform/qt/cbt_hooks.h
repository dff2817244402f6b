#pragma once
// Delivery of CBT events to the hooks installed on the calling thread.
#include "platform/win_types.h"

namespace vx::win::qt {

// Runs the calling thread's newest CBT hook (which passes the event on with CallNextHookEx)
// and returns its result; 0 when no hook is installed.
LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam);

} // namespace vx::win::qt
