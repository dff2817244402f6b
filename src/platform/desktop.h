#pragma once
// What the desktop lets the program do beyond its own windows: picture the screen, and show
// what the program draws pixel for pixel.
namespace vx::win {

enum class ScreenPictureProblem {
    NoProblem,
    NoService,  // the desktop offers no way to picture the screen
    Refused,    // the desktop (or the person, asked by it) declined
    NoAnswer,   // the desktop did not answer in time
    Unreadable, // the picture it gave could not be read
};

// Why the latest GetDC(0) gave no context; NoProblem after one that did.
ScreenPictureProblem screenPictureProblem();

// The desktop's scale for the monitor under test, in percent, where the desktop resamples what
// the program draws there (a fractional scale); 0 where every drawn pixel reaches the monitor
// as whole device pixels.
int resamplingPercent();

} // namespace vx::win
