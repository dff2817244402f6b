#include "host/user_control.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/form.h"
#include "host/qt/canvas_state.h"
#include "host/qt/control_state.h"
#include "host/qt/qt_util.h"
#include "host/qt/user_control_widget.h"
#include "platform/qt/window_table.h"

namespace vx {
namespace {
hostqt::UserControlWidget* userWidget(const hostqt::CanvasState& cs) {
    return static_cast<hostqt::UserControlWidget*>(cs.widget.data());
}
} // namespace

UserControl::UserControl(std::string classId, Single newWidth, Single newHeight)
    : classId_(std::move(classId)), newWidth_(newWidth), newHeight_(newHeight) {
    setScaleMode(vbPixels);
}

UserControl::~UserControl() {
    if (cs().widget) cs().widget->sink = nullptr;
}

QWidget* UserControl::makeWidget(QWidget* parent) {
    auto* w = new hostqt::UserControlWidget(parent);
    w->sink = this;
    w->fill = hostqt::toQColor(BackColor());
    w->setBorder(borderStyle_ == 1 ? 2 : 0);
    w->setTransparent(backStyle_ == 0);
    cs().widget = w;
    win::qt::registerWindow(w, classId_);
    createConstituents();
    return w;
}

void UserControl::widgetDestroyed() {
    if (cs().widget) cs().widget->sink = nullptr;
    releaseSurface();
}

void UserControl::needSurface() {
    if (!cs().widget) raiseError(errObjectRequired);
}

void UserControl::InitNew() {
    UserControl_InitProperties();
    Move(Left(), Top(), newWidth_, newHeight_);
    layoutChanged_ = false;
}

void UserControl::ReadFrom(PropertyBag& bag) {
    UserControl_ReadProperties(bag);
    layoutChanged_ = false;
}

void UserControl::WriteTo(PropertyBag& bag) {
    UserControl_WriteProperties(bag);
    layoutChanged_ = false;
}

void UserControl::setBackStyle(Integer style) {
    if (style != 0 && style != 1) raiseError(errInvalidProperty);
    backStyle_ = style;
    if (auto* w = userWidget(cs())) w->setTransparent(style == 0);
}

void UserControl::setBorderStyle(Integer style) {
    if (style != 0 && style != 1) raiseError(errInvalidProperty);
    borderStyle_ = style;
    if (auto* w = userWidget(cs())) w->setBorder(style == 1 ? 2 : 0);
}

void UserControl::setEnabled(Boolean on) {
    Control::setEnabled(on);
    cs().syncDC();
}

void UserControl::PropertyChanged(const std::string& name) {
    layoutChanged_ = true;
    if (auto h = onPropertyChanged) h(name);
}

FontRef UserControl::AmbientFont() const {
    if (Canvas* container = ctl().container) return container->Font();
    return std::make_shared<StdFont>();
}

void UserControl::addConstituent(Control& c, const std::string& name) {
    Form* form = Parent();
    if (!form) raiseError(errObjectRequired);
    // Qualified, so that it never clashes with the names of the container's controls.
    c.create(*form, *this, Name() + "." + name);
}

void UserControl::notify(const std::function<void()>& notice) {
    invokeHandler(notice);
}

void UserControl::mouse(void (UserControl::*notice)(Integer&, Integer&, Single&, Single&), int b,
                        int s, double x, double y) {
    notify([&] {
        Integer Button = static_cast<Integer>(b), Shift = static_cast<Integer>(s);
        Single X = static_cast<Single>(cs().fromDeviceX(x) + ScaleLeft());
        Single Y = static_cast<Single>(cs().fromDeviceY(y) + ScaleTop());
        (this->*notice)(Button, Shift, X, Y);
    });
}

void UserControl::sinkMouseDown(int b, int s, double x, double y) {
    mouse(&UserControl::UserControl_MouseDown, b, s, x, y);
}
void UserControl::sinkMouseMove(int b, int s, double x, double y) {
    mouse(&UserControl::UserControl_MouseMove, b, s, x, y);
}
void UserControl::sinkMouseUp(int b, int s, double x, double y) {
    mouse(&UserControl::UserControl_MouseUp, b, s, x, y);
}
void UserControl::sinkClick() {
    notify([this] { UserControl_Click(); });
}
void UserControl::sinkDblClick() {
    notify([this] { UserControl_DblClick(); });
}
void UserControl::sinkKeyDown(int keyCode, int shift) {
    notify([&] {
        Integer KeyCode = static_cast<Integer>(keyCode), Shift = static_cast<Integer>(shift);
        UserControl_KeyDown(KeyCode, Shift);
    });
}
void UserControl::sinkKeyPress(int keyAscii) {
    notify([&] {
        Integer KeyAscii = static_cast<Integer>(keyAscii);
        UserControl_KeyPress(KeyAscii);
    });
}
void UserControl::sinkKeyUp(int keyCode, int shift) {
    notify([&] {
        Integer KeyCode = static_cast<Integer>(keyCode), Shift = static_cast<Integer>(shift);
        UserControl_KeyUp(KeyCode, Shift);
    });
}
void UserControl::sinkResize() {
    notify([this] { UserControl_Resize(); });
}
void UserControl::sinkShow() {
    notify([this] { UserControl_Show(); });
}
void UserControl::sinkFocusIn() {
    notify([this] { UserControl_EnterFocus(); });
}
void UserControl::sinkFocusOut() {
    notify([this] { UserControl_ExitFocus(); });
}

} // namespace vx
