#pragma once
// The program's modal windows: message boxes, common dialogs and the screen effect. While one
// is open the key loop neither starts nor polls; it learns afterwards that one has ended.
namespace vx::win {

// Marks a modal window open for its lifetime.
class ModalScope {
  public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

bool modalWindowOpen();

// True from a close request that ended the open modal windows until it reaches its window,
// after they have returned to their callers: a caller coming back from one starts nothing new.
bool closeRequestPending();

} // namespace vx::win
