#pragma once
// Top-level windows that others cover whole paint nothing until part of them shows again:
// what is drawn meanwhile waits, and reaches the screen with the expose that uncovers it.
class QWidget;

namespace vx::win::qt {

// Has the server tell when the shown top-level window is covered whole and when it shows
// again. Asked once per native window; does nothing off X11.
void paintOnlyWhenSeen(QWidget* window);
// Paints what covered windows hold back, as if each had just been uncovered.
void paintHeldBack();

} // namespace vx::win::qt
