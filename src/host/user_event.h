#pragma once
// An event a user control declares and raises: its number (the place in the control's
// declaration order) and the handler the container installs. Arguments go by reference, so
// a handler may change them and the control sees the change.
#include <functional>
#include <utility>

namespace vx {

class UserControl;

template <class... Args> class UserEvent {
  public:
    using Handler = std::function<void(Args&...)>;

    explicit UserEvent(int number) : number_(number) {}
    UserEvent(const UserEvent&) = delete;
    UserEvent& operator=(const UserEvent&) = delete;

    int number() const { return number_; }
    // The container's handler; an empty one disconnects.
    UserEvent& operator=(Handler h) {
        handler_ = std::move(h);
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

  private:
    friend class UserControl;
    void raise(Args&... args) const {
        // A copy: the handler may replace itself or unload the form that holds the control.
        if (Handler h = handler_) h(args...);
    }

    int number_;
    Handler handler_;
};

} // namespace vx
