#pragma once
// A picture box: a control with a drawing surface that can also hold other controls. Without
// a border, drawing, child controls or a call for its window it is only a box of its back
// colour, which its container paints.
#include "host/canvas.h"
#include "host/control.h"
#include "host/qt/event_sink.h"

namespace vx {

class PictureBox : public Control, public Canvas, private hostqt::EventSink {
  public:
    PictureBox();
    ~PictureBox() override;
    using Control::hWnd;
    Integer BorderStyle() const { return borderStyle_; }
    void setBorderStyle(Integer style); // 0 none, 1 fixed single

  protected:
    QWidget* makeWidget(QWidget* parent) override;
    void widgetDestroyed() override;
    bool setOwnProperty(std::string_view lowerName, const Value& v) override;
    void needSurface() override;
    void backColorSet() override { lookChanged(); }
    bool canBeLight() const override { return true; }
    bool plainLook() const override;
    OleColor lightColour() const override { return BackColor(); }
    hostqt::EventSink* lightSink() override { return this; }

  private:
    void sinkMouseDown(int b, int s, double x, double y) override;
    void sinkMouseMove(int b, int s, double x, double y) override;
    void sinkMouseUp(int b, int s, double x, double y) override;
    void sinkClick() override;
    void sinkDblClick() override;
    void mouse(MouseHandler h, int b, int s, double x, double y);

    Integer borderStyle_ = 1;
};

} // namespace vx
