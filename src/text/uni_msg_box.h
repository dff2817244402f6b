#pragma once
// The system message box with a Vietnamese message and title (VNI-typed, converted here),
// Vietnamese captions on its standard buttons, and Tahoma throughout.
#include "host/vb_types.h"
#include "platform/win_types.h"

namespace vx {

// The hook UniMsgBox installed and that has not removed itself yet; one box at a time.
extern win::HHOOK hMsgBoxHook;

// Shows the box modally and returns the identifier of the button that closed it (0 when the
// box could not be shown). text is converted in place.
Long UniMsgBox(String& text, const Long& flags, String title, const win::HWND& owner);

// The one-shot CBT hook: passes every event on, and when the box is about to be activated
// gives it the font and the captions, then removes itself.
win::LRESULT MsgBoxHookProc(Long code, win::WPARAM wParam, win::LPARAM lParam);

} // namespace vx
