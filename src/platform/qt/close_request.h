#pragma once
// A close request for a top-level window, as the window manager's close box sends it.
class QWidget;

namespace vx::win::qt {

// With modal windows open that block the window, they end first, as if cancelled, and the
// request reaches the window once they have returned to their callers.
void requestClose(QWidget* window);

} // namespace vx::win::qt
