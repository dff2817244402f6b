#pragma once
// The compositor's outputs as it describes them to any client: the mode in device pixels, the
// whole-number scale, and the logical size that windows are laid out in.
#include <string>
#include <vector>

namespace vx::win::qt {

struct WaylandOutput {
    std::string name;                        // "DP-1", as XWayland and Qt name the monitor
    int modeWidth = 0, modeHeight = 0;       // device pixels, before any rotation
    int scale = 1;                           // what clients without fractional scaling draw at
    bool turned = false;                     // rotated by a quarter: width and height swap
    int logicalWidth = 0, logicalHeight = 0; // 0 when the compositor does not say
};

// Asked over a connection of the program's own, so that it works whether Qt talks to the
// compositor or to XWayland; empty when no compositor answers.
std::vector<WaylandOutput> waylandOutputs();

// The output's scale in percent where a monitor whose width the program draws in drawnWidth
// pixels reaches it resampled, else 0. Exact: every drawn pixel becomes a whole number of
// device pixels.
int resampledPercent(const WaylandOutput& output, int drawnWidth);

} // namespace vx::win::qt
