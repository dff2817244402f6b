#pragma once
// A timer control: ticks every Interval milliseconds while Enabled; a tick handler is never
// re-entered while it runs.
#include "host/control.h"

namespace vx {

class Timer : public Control {
  public:
    Timer();
    ~Timer() override;
    Long Interval() const { return interval_; }
    void setInterval(Long ms);
    Boolean Enabled() const { return toBoolean(enabled_); }
    void setEnabled(Boolean on);

    std::function<void()> onTimer;

  protected:
    QWidget* makeWidget(QWidget* parent) override;
    void widgetDestroyed() override;
    bool setOwnProperty(std::string_view lowerName, const Value& v) override;

  private:
    void apply();
    void tick();
    struct Impl;
    std::unique_ptr<Impl> d_;
    Long interval_ = 0;
    bool enabled_ = true;
    bool running_ = false;
};

} // namespace vx
