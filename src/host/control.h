#pragma once
// A control on a form: position and size in its container's twips, visibility, tool-tip,
// events, and properties that run-time code may set by name.
#include "host/qt/light_child.h"
#include "host/vb_types.h"
#include "platform/win_types.h"
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

class QWidget;

namespace vx {
class Canvas;
class Form;
namespace hostqt {
struct ControlState;
}

class Control : private hostqt::LightChild {
  public:
    using Value = std::variant<double, String>;
    using MouseHandler = std::function<void(Integer Button, Integer Shift, Single X, Single Y)>;

    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Puts the control on a container (a form or a picture box) under a name.
    void create(Form& form, const std::string& name);
    void create(Form& form, Canvas& container, const std::string& name);
    bool created() const;

    const std::string& Name() const;
    Form* Parent() const;
    Single Left() const;
    void setLeft(Single v);
    Single Top() const;
    void setTop(Single v);
    Single Width() const;
    void setWidth(Single v);
    Single Height() const;
    void setHeight(Single v);
    void Move(Single left, Single top, Single width, Single height);
    Boolean Visible() const;
    void setVisible(Boolean v);
    Boolean Enabled() const;
    void setEnabled(Boolean v);
    const String& ToolTipText() const;
    void setToolTipText(const String& t);
    // Gives a control that its container paints a window of its own first.
    win::HWND hWnd() const;
    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(Integer position = 0);

    // Sets a property by its name; names are not case-sensitive.
    void setProperty(std::string_view name, const Value& v);

    std::function<void()> onClick, onDblClick;
    MouseHandler onMouseDown, onMouseMove, onMouseUp;

    // Called by the form when it unloads: the widget goes, the settings stay.
    void destroyWidget();

  protected:
    Control();
    hostqt::ControlState& ctl() const { return *s_; }
    virtual QWidget* makeWidget(QWidget* parent) = 0;
    virtual void widgetDestroyed() {}
    // A control that can do without a widget while it is hidden or looks plain (one colour,
    // nothing more): its container paints it. It gets a widget once anything needs one.
    virtual bool canBeLight() const { return false; }
    virtual bool plainLook() const { return false; }
    virtual OleColor lightColour() const { return 0; }
    hostqt::EventSink* lightSink() override { return nullptr; }
    bool isLight() const;
    // After a change of the look: repaints a light control, or gives it a widget.
    void lookChanged();
    void needWidget() const;
    // Control-specific properties; returns false when the name is not one of them.
    virtual bool setOwnProperty(std::string_view lowerName, const Value& v);
    QWidget* widgetPtr() const;
    void applyGeometry();

    static double number(const Value& v);
    static String text(const Value& v);

  private:
    void becomeWidget() override;
    void showWidget(QWidget* parent);
    bool staysLight() const;

    std::unique_ptr<hostqt::ControlState> s_;
};

} // namespace vx
