#pragma once
// The X server going away (a logout, a crashed server) ends the program in one place: one
// line on standard error and exit code 1. Xlib's default handler and Qt's xcb plugin would
// call exit() instead, running exit handlers while windows and the application object live.
namespace vx::win::qt {

// Watches Qt's connection and every Xlib connection of the process while it lives; it must
// end before the application object.
class DisplayLossWatch {
  public:
    DisplayLossWatch();
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;
};

// Says that the connection is lost and ends the process at once, from any thread.
[[noreturn]] void displayLost();

} // namespace vx::win::qt
