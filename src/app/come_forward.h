#pragma once

namespace vx {

// Velotrix started again on this desktop: the control window comes back, un-minimised, in
// front and active. Nothing happens while it is not loaded (start-up, shutdown).
void comeForward();

} // namespace vx
