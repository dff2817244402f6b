#include "host/picture_box.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/numeric.h"
#include "host/qt/canvas_state.h"
#include "host/qt/control_state.h"
#include "host/qt/qt_util.h"
#include "platform/qt/window_table.h"

namespace vx {

PictureBox::PictureBox() = default;
PictureBox::~PictureBox() {
    if (cs().widget) cs().widget->sink = nullptr;
}

QWidget* PictureBox::makeWidget(QWidget* parent) {
    auto* w = new hostqt::SurfaceWidget(parent);
    w->sink = this;
    w->fill = hostqt::toQColor(BackColor());
    w->setBorder(borderStyle_ == 1 ? 2 : 0);
    cs().widget = w;
    win::qt::registerWindow(w, "ThunderRT6PictureBoxDC");
    return w;
}

void PictureBox::widgetDestroyed() {
    if (cs().widget) cs().widget->sink = nullptr;
    releaseSurface();
}

void PictureBox::needSurface() {
    needWidget();
    if (!cs().widget) raiseError(errObjectRequired);
}

bool PictureBox::plainLook() const {
    return borderStyle_ == 0 && Enabled() == vbTrue && ToolTipText().empty();
}

void PictureBox::setBorderStyle(Integer style) {
    if (style != 0 && style != 1) raiseError(errInvalidProperty);
    borderStyle_ = style;
    lookChanged();
    if (cs().widget) cs().widget->setBorder(style == 1 ? 2 : 0);
}

bool PictureBox::setOwnProperty(std::string_view n, const Value& v) {
    if (n == "backcolor")
        setBackColor(static_cast<OleColor>(static_cast<long long>(number(v))));
    else if (n == "forecolor")
        setForeColor(static_cast<OleColor>(static_cast<long long>(number(v))));
    else if (n == "borderstyle")
        setBorderStyle(CInt(number(v)));
    else if (n == "autoredraw")
        setAutoRedraw(toBoolean(number(v) != 0));
    else
        return false;
    return true;
}

void PictureBox::mouse(MouseHandler h, int b, int s, double x, double y) {
    if (!h) return;
    const auto& st = cs();
    invokeHandler([&] {
        h(static_cast<Integer>(b), static_cast<Integer>(s),
          static_cast<Single>(st.fromDeviceX(x) + ScaleLeft()),
          static_cast<Single>(st.fromDeviceY(y) + ScaleTop()));
    });
}

void PictureBox::sinkMouseDown(int b, int s, double x, double y) {
    mouse(onMouseDown, b, s, x, y);
}
void PictureBox::sinkMouseMove(int b, int s, double x, double y) {
    mouse(onMouseMove, b, s, x, y);
}
void PictureBox::sinkMouseUp(int b, int s, double x, double y) {
    mouse(onMouseUp, b, s, x, y);
}
// Handlers are copied first: one may unload the form and with it this control.
void PictureBox::sinkClick() {
    if (auto h = onClick) invokeHandler(h);
}
void PictureBox::sinkDblClick() {
    if (auto h = onDblClick) invokeHandler(h);
}

} // namespace vx
