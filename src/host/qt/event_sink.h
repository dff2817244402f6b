#pragma once
// What a host widget reports to the object that owns it. Positions are device pixels
// relative to the client area; buttons and shift use the program's masks.
namespace vx::hostqt {

class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void sinkMouseDown(int, int, double, double) {}
    virtual void sinkMouseMove(int, int, double, double) {}
    virtual void sinkMouseUp(int, int, double, double) {}
    virtual void sinkClick() {}
    virtual void sinkDblClick() {}
    virtual void sinkKeyDown(int, int) {}
    virtual void sinkKeyPress(int) {}
    virtual void sinkKeyUp(int, int) {}
    virtual void sinkResize() {}
    virtual void sinkShow() {}
    virtual void sinkFocusIn() {}
    virtual void sinkFocusOut() {}
    virtual void sinkCloseRequest() {}
};

} // namespace vx::hostqt
