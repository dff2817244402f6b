#pragma once
// Starts the forms runtime: the application object, the program's fonts, the desktop's
// keyboard, then the start-up form; returns the exit code when no form is left.
#include <functional>

namespace vx {

int runProgram(int argc, char** argv, const std::function<void()>& start);

} // namespace vx
