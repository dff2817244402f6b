#pragma once
// A control without a widget of its own: its container paints it as a box of one colour and
// passes it the mouse. A line grid is hundreds of such boxes, and a widget each would cost
// more than the whole picture.
#include "host/qt/event_sink.h"

namespace vx::hostqt {

class LightChild {
  public:
    // Where its mouse input goes: positions in device pixels of its own area.
    virtual EventSink* lightSink() = 0;
    // Gives it a widget of its own, in front of those made before; its container has
    // forgotten it by then.
    virtual void becomeWidget() = 0;

  protected:
    ~LightChild() = default;
};

} // namespace vx::hostqt
