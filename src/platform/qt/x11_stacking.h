#pragma once
// Bringing a top-level window in front of the others without asking the window manager when
// it is in front already: a pattern window does so every second.
class QWidget;

namespace vx::win::qt {

// Raises the window unless the window manager's stacking list has it in front already.
void raiseToFront(QWidget* window);
// Whether the window manager is known to keep the window above the others; unknown (false)
// until asked, and again after the manager changes the window's state.
bool knownAbove(const QWidget* window);
// Remembers that the window manager's state for the window holds the above state.
void noteAbove(const QWidget* window);

} // namespace vx::win::qt
