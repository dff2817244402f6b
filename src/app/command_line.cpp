#include "app/command_line.h"
#include "host/app_info.h"
#include <string_view>

namespace vx {

std::optional<std::string> commandLineAnswer(int argc, char** argv) {
    if (argc != 2) return std::nullopt;
    const std::string_view arg = argv[1];
    if (arg == "--version")
        return App::Title + " " + std::to_string(App::Major) + "." + std::to_string(App::Minor) +
               "\n";
    if (arg == "--help")
        return "Usage: velotrix\n"
               "Full-screen test patterns for checking a display.\n\n"
               "Keys (they work whichever program has the focus):\n"
               "  1 to 8   red, green, blue, cyan, magenta, yellow, black, white\n"
               "  9        the custom colour (pick it with the \"...\" button)\n"
               "  0        a random colour\n"
               "  V + G    vertical gradient, blue to red in 256 bands\n"
               "  H + G    horizontal gradient\n"
               "  V + L    Vertical Lines: black and white stripes 4 pixels high\n"
               "  H + L    Horizontal Lines: black and white stripes 4 pixels wide\n"
               "  T        screen effect (a mouse click ends it)\n"
               "  Escape   close the test pattern\n\n"
               "The control window offers the same patterns by mouse. Close it to quit.\n"
               "  --version  print the version and exit\n"
               "  --help     print this help and exit\n";
    return std::nullopt;
}

} // namespace vx
