#pragma once
// Starts the forms runtime: the application object, the program's fonts, the desktop's
// keyboard, then the start-up form; returns the exit code when no form is left.
#include <functional>

namespace vx {

// With an activate handler, one copy runs per user and desktop: a later start makes the
// running copy call activate and ends with 0 before anything is shown or sent.
int runProgram(int argc, char** argv, const std::function<void()>& start,
               const std::function<void()>& activate = {});

} // namespace vx
