#pragma once
// A push button that paints itself: the body in the visual style's push-button states (the
// classic frame where no style draws it) and the UTF-16 caption with DrawTextW. It tracks
// hover, press and focus itself; a 100 ms timer notices the cursor leaving it.
#include "host/timer.h"
#include "host/user_control.h"

namespace vx {

class tButton : public UserControl {
  public:
    tButton();

    OleColor ForeColor() const;
    void setForeColor(OleColor New_ForeColor);
    Boolean Enabled() const;
    void setEnabled(Boolean New_Enabled);
    FontRef Font() const;
    void setFont(FontRef New_Font);
    // Repaints the window from its image; draws nothing new.
    void Refresh();
    win::HWND hwnd() const;
    String Caption() const;
    void setCaption(const String& New_Caption);

    UserEvent<> Click{1};
    UserEvent<> DblClick{2}; // declared, never raised
    UserEvent<Integer, Integer> KeyDown{3};
    UserEvent<Integer> KeyPress{4};
    UserEvent<Integer, Integer> KeyUp{5};
    UserEvent<Integer, Integer, Single, Single> MouseDown{6};
    UserEvent<Integer, Integer, Single, Single> MouseMove{7};
    UserEvent<Integer, Integer, Single, Single> MouseUp{8};

  protected:
    void createConstituents() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& PropBag) override;
    void UserControl_WriteProperties(PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_EnterFocus() override;
    void UserControl_ExitFocus() override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(Integer& KeyCode, Integer& Shift) override;
    void UserControl_KeyPress(Integer& KeyAscii) override;
    void UserControl_KeyUp(Integer& KeyCode, Integer& Shift) override;
    void UserControl_MouseDown(Integer& Button, Integer& Shift, Single& x, Single& y) override;
    void UserControl_MouseMove(Integer& Button, Integer& Shift, Single& x, Single& y) override;
    void UserControl_MouseUp(Integer& Button, Integer& Shift, Single& x, Single& y) override;

  private:
    // Paints the whole control in a push-button state (1 normal, 2 hot, 3 pressed,
    // 5 defaulted); a disabled control always paints the disabled state.
    void DrawButton(Long State);
    // True only when the visual style drew the part.
    bool DrawThemePart(const String& ClassName, Long Part, Long State, const win::RECT& r);
    bool IsMouseOver(win::HWND hWnd);
    void Timer1_Timer();

    String m_Caption;
    Boolean m_HasFocus = vbFalse;
    Boolean m_LeftDown = vbFalse;
    Timer Timer1;
};

} // namespace vx
