#pragma once
// An argument passed by reference: it refers to the caller's variable, which the callee
// writes back into, or, when the caller gives a value (or leaves the argument out), to a
// private copy of it.
#include "host/errors.h"
#include "host/vb_types.h"
#include <type_traits>
#include <utility>

namespace vx {

template <class T> class ByRef {
  public:
    ByRef(T& variable) : p_(&variable) {}
    ByRef(const T& value) : own_(value), p_(&own_) {}
    ByRef(T&& value) : own_(std::move(value)), p_(&own_) {}
    template <class U>
    requires(!std::is_same_v<std::remove_cvref_t<U>, T> && std::is_constructible_v<T, U>)
        ByRef(U&& value)
        : own_(convert(std::forward<U>(value))), p_(&own_) {}

    ByRef(const ByRef&) = delete;
    ByRef& operator=(const ByRef&) = delete;

    ByRef& operator=(const T& v) {
        *p_ = v;
        return *this;
    }
    T& operator*() const { return *p_; }
    T* operator->() const { return p_; }
    operator T&() const { return *p_; }

  private:
    // A value of another type converts as an assignment would: True is -1, and a number
    // the type cannot hold is an overflow.
    template <class U> static T convert(U&& v) {
        using V = std::remove_cvref_t<U>;
        if constexpr (std::is_same_v<V, bool> && std::is_same_v<T, Boolean>) {
            return toBoolean(v);
        } else if constexpr (std::is_integral_v<V> && std::is_integral_v<T>) {
            if (!std::in_range<T>(v)) raiseError(errOverflow);
            return static_cast<T>(v);
        } else {
            return T(std::forward<U>(v));
        }
    }

    T own_{};
    T* p_;
};

} // namespace vx
