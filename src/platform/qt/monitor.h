#pragma once
// The monitor under test: the one that holds the centre of the program's main window. The
// user drags the main window onto the panel to test; every pattern then covers that panel.
#include <QRect>
class QScreen;
class QWidget;

namespace vx::win::qt {

// Names the main window; its centre picks the monitor. It is let go of when it is destroyed.
void setMainWindow(QWidget* window);
// The main window, or null when it has been destroyed or was never named.
QWidget* mainWindow();
// The primary monitor when there is no main window or its centre lies on no monitor; null
// only when there is no screen at all.
QScreen* monitorUnderTest();
// A monitor's rectangle in device pixels, as the X server places it.
QRect deviceRect(const QScreen* screen);

} // namespace vx::win::qt
