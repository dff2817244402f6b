#pragma once
// Monitors as outputs of the X.Org server's dummy video driver. A window manager that learns
// monitors through GTK (xfwm4) sees only a monitor with an output, and Xvfb has one output:
// split into RandR monitors, its screen is one monitor to such a manager.
#include "e2e/x_session.h"
#include <string>
#include <vector>

namespace vx::e2e {

// Gives each monitor an output of its own at its place, named after it (DUMMY0, DUMMY1, ...,
// where setMonitors names them M0, M1, ...: named monitors over outputs hide all but one from
// GTK); false if the server has too few outputs.
bool setDummyOutputs(Display* dpy, const std::vector<Rect>& monitors, int width, int height);
// Turns output i off, as a panel unplugged.
void dropDummyOutput(Display* dpy, int i);

} // namespace vx::e2e
