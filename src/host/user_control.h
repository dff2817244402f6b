#pragma once
// A user control: a child window with a persistent image, drawn by the control's own code.
// The host keeps BackColor, ForeColor, Font, Enabled, BackStyle and BorderStyle, hands the
// control its notices (InitProperties, ReadProperties, WriteProperties, Resize, Show,
// EnterFocus, ExitFocus and the window's click, key and mouse input), carries its change
// reports to the container, and raises its events to the handlers the container installs.
// Its scale unit is the device pixel.
#include "host/canvas.h"
#include "host/control.h"
#include "host/property_bag.h"
#include "host/qt/event_sink.h"
#include "host/user_event.h"
#include <functional>
#include <string>

namespace vx {

class UserControl : public Control, protected Canvas, private hostqt::EventSink {
  public:
    ~UserControl() override;

    // The class identifier containers know the control by ("Velotrix.tLabel").
    const std::string& ClassId() const { return classId_; }
    win::HWND hWnd() const { return Control::hWnd(); }

    // The container's side of the control's life. A control placed new gets its
    // InitProperties and the size of a new control; one from a saved layout reads it.
    void InitNew();
    void ReadFrom(PropertyBag& bag);
    void WriteTo(PropertyBag& bag);
    // True when a property changed after the layout was read or last saved.
    bool LayoutChanged() const { return layoutChanged_; }
    // Hears each change report, by property name.
    std::function<void(const std::string& name)> onPropertyChanged;

  protected:
    // newWidth and newHeight: the size of a newly placed control, in twips.
    UserControl(std::string classId, Single newWidth, Single newHeight);

    // 1 opaque, 0 transparent (the container shows through the cleared background).
    Integer BackStyle() const { return backStyle_; }
    void setBackStyle(Integer style);
    // 0 none, 1 a single-line (sunken) border around the client area.
    Integer BorderStyle() const { return borderStyle_; }
    void setBorderStyle(Integer style);
    // Enabling or disabling also sets the drawing context's text colour back to ForeColor.
    void setEnabled(Boolean on);

    // Tells the container that the saved layout is out of date.
    void PropertyChanged(const std::string& name);
    // The font of the container the control sits on.
    FontRef AmbientFont() const;

    template <class... A> void RaiseEvent(const UserEvent<A...>& e, A&... args) {
        e.raise(args...);
    }

    // A control of the user control's own (a timer, say), created with it.
    void addConstituent(Control& c, const std::string& name);
    virtual void createConstituents() {}

    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_EnterFocus() {}
    virtual void UserControl_ExitFocus() {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(Integer& KeyCode, Integer& Shift) {
        (void)KeyCode, (void)Shift;
    }
    virtual void UserControl_KeyPress(Integer& KeyAscii) { (void)KeyAscii; }
    virtual void UserControl_KeyUp(Integer& KeyCode, Integer& Shift) { (void)KeyCode, (void)Shift; }
    virtual void UserControl_MouseDown(Integer& Button, Integer& Shift, Single& X, Single& Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void UserControl_MouseMove(Integer& Button, Integer& Shift, Single& X, Single& Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void UserControl_MouseUp(Integer& Button, Integer& Shift, Single& X, Single& Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }

    QWidget* makeWidget(QWidget* parent) override;
    void widgetDestroyed() override;
    void needSurface() override;

  private:
    void notify(const std::function<void()>& notice);
    void mouse(void (UserControl::*notice)(Integer&, Integer&, Single&, Single&), int b, int s,
               double x, double y);
    void sinkMouseDown(int b, int s, double x, double y) override;
    void sinkMouseMove(int b, int s, double x, double y) override;
    void sinkMouseUp(int b, int s, double x, double y) override;
    void sinkClick() override;
    void sinkDblClick() override;
    void sinkKeyDown(int keyCode, int shift) override;
    void sinkKeyPress(int keyAscii) override;
    void sinkKeyUp(int keyCode, int shift) override;
    void sinkResize() override;
    void sinkShow() override;
    void sinkFocusIn() override;
    void sinkFocusOut() override;

    std::string classId_;
    Single newWidth_, newHeight_;
    Integer backStyle_ = 1;
    Integer borderStyle_ = 0;
    bool layoutChanged_ = false;
};

} // namespace vx
