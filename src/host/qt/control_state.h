#pragma once
#include "host/qt/surface_widget.h"
#include "host/vb_types.h"
#include <QPointer>
#include <QWidget>
#include <string>

namespace vx {
class Canvas;
class Form;
} // namespace vx

namespace vx::hostqt {

struct ControlState {
    std::string name;
    Form* form = nullptr;
    Canvas* container = nullptr;
    double left = 0, top = 0, width = 0, height = 0; // twips
    bool visible = true;
    bool enabled = true;
    String toolTip;
    QPointer<QWidget> widget;
    // While set, the control has no widget: this container paints it and passes it the mouse.
    QPointer<SurfaceWidget> lightHost;
};

// The widget of a form or picture box, for placing children in it.
QWidget* containerWidget(Canvas& c);

} // namespace vx::hostqt
