#pragma once
// The program takes no arguments; --version and --help are answered and end the program
// before any window opens, everything else is ignored.
#include <optional>
#include <string>

namespace vx {

// The text to print and exit with, or nothing when the program should start normally.
std::optional<std::string> commandLineAnswer(int argc, char** argv);

} // namespace vx
