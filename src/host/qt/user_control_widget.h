#pragma once
// The window of a user control: a persistent image like any surface, with the notices a user
// control expects. A double click is followed by a mouse-up but no second click; focus
// notices are about moves within the program (switching to another program keeps the focus
// where it was); a transparent control lets its container show where the image holds the
// colour it was last cleared with.
#include "host/qt/surface_widget.h"

namespace vx::hostqt {

class UserControlWidget : public SurfaceWidget {
  public:
    explicit UserControlWidget(QWidget* parent);
    void setTransparent(bool on);
    bool transparent() const { return transparent_; }
    // Its picture may be keyed out; the controls on it keep widgets of their own.
    bool acceptsLights() const override { return false; }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    bool transparent_ = false;
    bool afterDoubleClick_ = false;
    bool focusReported_ = false;
};

} // namespace vx::hostqt
