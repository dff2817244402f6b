#pragma once

namespace vx {

// The program: loads the main window and runs until no window is left.
int runVelotrix(int argc, char** argv);

} // namespace vx
