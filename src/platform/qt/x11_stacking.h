#pragma once
// Keeping a top-level window in front of the others without asking the window manager when it
// is there already: a pattern window asks every second.
class QWidget;

namespace vx::win::qt {

// Raises the window unless the window manager's stacking list has it in front already.
void raiseToFront(QWidget* window);
// Asks the window manager to keep a top-level window above the others, unless its state, as
// the manager last set it, says so already.
void keepAbove(QWidget* window);

} // namespace vx::win::qt
