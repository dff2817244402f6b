#pragma once
// The event service and the handling of errors that no handler traps.
#include <functional>
#include <string>

namespace vx {

// Serves every pending event (timers, paint, mouse, close requests) and returns.
void DoEvents();

// Runs an event handler; an error it does not trap shows the run-time error message and
// ends the program with a non-zero exit code.
void invokeHandler(const std::function<void()>& handler);

// When set, the program ends as soon as no form is loaded.
void setEndWhenNoFormsLeft(bool on);
// Ends the program if that is set and no form is loaded.
void endIfNoFormsLeft();

// Shows the run-time error message and ends the program with a non-zero exit code.
[[noreturn]] void endWithUntrappedError(const std::string& message);

} // namespace vx
