#include "host/control.h"
#include "host/errors.h"
#include "host/form.h"
#include "host/numeric.h"
#include "host/qt/canvas_state.h"
#include "host/qt/control_state.h"
#include "host/qt/qt_util.h"
#include "platform/qt/window_table.h"
#include <algorithm>
#include <cctype>

namespace vx {

Control::Control() : s_(std::make_unique<hostqt::ControlState>()) {}
Control::~Control() {
    if (s_->form && s_->form->IsLoaded()) s_->form->forget(this);
    if (s_->lightHost) s_->lightHost->removeLight(this);
    if (s_->widget) s_->widget->deleteLater();
}

void Control::create(Form& form, const std::string& name) {
    create(form, form, name);
}

void Control::create(Form& form, Canvas& container, const std::string& name) {
    s_->name = name;
    s_->form = &form;
    s_->container = &container;
    form.adopt(this);
    QWidget* parent = hostqt::containerWidget(container);
    if (!parent) raiseError(errObjectRequired);
    auto* host = dynamic_cast<hostqt::SurfaceWidget*>(parent);
    if (canBeLight() && staysLight() && host && host->acceptsLights() &&
        !host->hasShownChildWidgets()) {
        s_->lightHost = host;
        host->addLight(this); // controls created first lie on top
        lookChanged();
        return;
    }
    if (host && s_->visible) host->makeLightsWidgets();
    showWidget(parent);
    if (s_->widget) s_->widget->lower(); // controls created first lie on top
}

void Control::showWidget(QWidget* parent) {
    s_->widget = makeWidget(parent);
    if (s_->widget) {
        s_->widget->setEnabled(s_->enabled);
        s_->widget->setToolTip(QString::fromStdU16String(s_->toolTip));
        applyGeometry();
        s_->widget->setVisible(s_->visible);
    }
}

bool Control::isLight() const {
    return s_->lightHost != nullptr;
}

bool Control::staysLight() const {
    return !s_->visible || plainLook();
}

void Control::lookChanged() {
    if (!s_->lightHost) return;
    if (!staysLight()) {
        s_->lightHost->makeLightsWidgets();
        return;
    }
    const QRect r(hostqt::twipsToLogical(s_->left), hostqt::twipsToLogical(s_->top),
                  std::max(0, hostqt::twipsToLogical(s_->width)),
                  std::max(0, hostqt::twipsToLogical(s_->height)));
    s_->lightHost->setLight(this, r, hostqt::toQColor(lightColour()), s_->visible);
}

void Control::needWidget() const {
    if (s_->lightHost) s_->lightHost->makeLightsWidgets();
}

// Its container has let go of it: it takes the widget it would have had all along, in
// front of those given one before it.
void Control::becomeWidget() {
    QWidget* parent = s_->lightHost.data();
    s_->lightHost = nullptr;
    showWidget(parent);
    if (s_->widget) s_->widget->raise();
}

void Control::ZOrder(Integer position) {
    if (auto* host = s_->lightHost.data()) {
        if (position == 0)
            host->raiseLight(this);
        else
            host->lowerLight(this);
        return;
    }
    if (!s_->widget) return;
    if (position == 0)
        s_->widget->raise();
    else
        s_->widget->lower();
}

bool Control::created() const {
    return s_->widget != nullptr || s_->lightHost != nullptr;
}

void Control::destroyWidget() {
    widgetDestroyed();
    if (auto* host = s_->lightHost.data()) host->removeLight(this);
    s_->lightHost = nullptr;
    if (s_->widget) {
        s_->widget->hide();
        s_->widget->deleteLater();
    }
    s_->widget = nullptr;
}

QWidget* Control::widgetPtr() const {
    return s_->widget;
}

void Control::applyGeometry() {
    lookChanged();
    if (!s_->widget) return;
    s_->widget->setGeometry(hostqt::twipsToLogical(s_->left), hostqt::twipsToLogical(s_->top),
                            std::max(0, hostqt::twipsToLogical(s_->width)),
                            std::max(0, hostqt::twipsToLogical(s_->height)));
}

const std::string& Control::Name() const {
    return s_->name;
}
Form* Control::Parent() const {
    return s_->form;
}
Single Control::Left() const {
    return static_cast<Single>(s_->left);
}
Single Control::Top() const {
    return static_cast<Single>(s_->top);
}
Single Control::Width() const {
    return static_cast<Single>(s_->width);
}
Single Control::Height() const {
    return static_cast<Single>(s_->height);
}
void Control::setLeft(Single v) {
    Move(v, Top(), Width(), Height());
}
void Control::setTop(Single v) {
    Move(Left(), v, Width(), Height());
}
void Control::setWidth(Single v) {
    Move(Left(), Top(), v, Height());
}
void Control::setHeight(Single v) {
    Move(Left(), Top(), Width(), v);
}

void Control::Move(Single left, Single top, Single width, Single height) {
    if (width < 0 || height < 0) raiseError(errInvalidProperty);
    s_->left = left;
    s_->top = top;
    s_->width = width;
    s_->height = height;
    applyGeometry();
}

Boolean Control::Visible() const {
    return toBoolean(s_->visible);
}
void Control::setVisible(Boolean v) {
    s_->visible = v != vbFalse;
    lookChanged();
    if (!s_->widget) return;
    auto* host = dynamic_cast<hostqt::SurfaceWidget*>(s_->widget->parentWidget());
    if (host && s_->visible) host->makeLightsWidgets();
    s_->widget->setVisible(s_->visible);
}

Boolean Control::Enabled() const {
    return toBoolean(s_->enabled);
}
void Control::setEnabled(Boolean v) {
    s_->enabled = v != vbFalse;
    lookChanged();
    if (s_->widget) s_->widget->setEnabled(s_->enabled);
}

const String& Control::ToolTipText() const {
    return s_->toolTip;
}
void Control::setToolTipText(const String& t) {
    s_->toolTip = t;
    lookChanged();
    if (s_->widget) s_->widget->setToolTip(QString::fromStdU16String(t));
}

win::HWND Control::hWnd() const {
    needWidget();
    return win::qt::handleOfWidget(s_->widget);
}

double Control::number(const Value& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    raiseError(errTypeMismatch);
}

String Control::text(const Value& v) {
    if (const String* s = std::get_if<String>(&v)) return *s;
    const double d = std::get<double>(v);
    const std::string n = d == static_cast<long long>(d) ? std::to_string(static_cast<long long>(d))
                                                         : std::to_string(d);
    return String(n.begin(), n.end());
}

void Control::setProperty(std::string_view name, const Value& v) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (setOwnProperty(lower, v)) return;
    if (lower == "left")
        setLeft(static_cast<Single>(number(v)));
    else if (lower == "top")
        setTop(static_cast<Single>(number(v)));
    else if (lower == "width")
        setWidth(static_cast<Single>(number(v)));
    else if (lower == "height")
        setHeight(static_cast<Single>(number(v)));
    else if (lower == "visible")
        setVisible(toBoolean(number(v) != 0));
    else if (lower == "enabled")
        setEnabled(toBoolean(number(v) != 0));
    else if (lower == "tooltiptext")
        setToolTipText(text(v));
    else
        raiseError(errNoSuchMember);
}

bool Control::setOwnProperty(std::string_view, const Value&) {
    return false;
}

} // namespace vx
