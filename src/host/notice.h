#pragma once
// A message that informs without waiting: the window stays until the user closes it and
// nothing else is held up meanwhile.
#include "host/vb_types.h"
#include "platform/win_types.h"

namespace vx {

// Shows the notice and returns its window handle.
win::HWND showNotice(const String& title, const String& text);
// Puts new text in a notice that is still open; false when it has been closed.
bool setNoticeText(win::HWND notice, const String& text);

} // namespace vx
