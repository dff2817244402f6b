#pragma once
// A label that draws its UTF-16 caption itself with DrawTextW, so that Vietnamese text shows
// whatever the system's code page. It redraws only on Refresh, Resize, Show and a change of
// Alignment; setting Caption alone leaves the old picture.
#include "host/user_control.h"

namespace vx {

class tLabel : public UserControl {
  public:
    tLabel();

    OleColor BackColor() const;
    void setBackColor(OleColor New_BackColor);
    OleColor ForeColor() const;
    void setForeColor(OleColor New_ForeColor);
    Boolean Enabled() const;
    void setEnabled(Boolean New_Enabled);
    FontRef Font() const;
    void setFont(FontRef New_Font);
    Integer BackStyle() const;
    void setBackStyle(Integer New_BackStyle);
    Integer BorderStyle() const;
    void setBorderStyle(Integer New_BorderStyle);
    void Refresh();
    String Caption() const;
    void setCaption(const String& New_Caption);
    // DrawTextW format flags: 0 left, 1 centred, 2 right; kept in 16 bits.
    Long Alignment() const;
    void setAlignment(Long New_Alignment);

    UserEvent<> Click{1};
    UserEvent<> DblClick{2};
    UserEvent<Integer, Integer> KeyDown{3};
    UserEvent<Integer> KeyPress{4};
    UserEvent<Integer, Integer> KeyUp{5};
    UserEvent<Integer, Integer, Single, Single> MouseDown{6};
    UserEvent<Integer, Integer, Single, Single> MouseMove{7};
    UserEvent<Integer, Integer, Single, Single> MouseUp{8};

  protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& PropBag) override;
    void UserControl_WriteProperties(PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(Integer& KeyCode, Integer& Shift) override;
    void UserControl_KeyPress(Integer& KeyAscii) override;
    void UserControl_KeyUp(Integer& KeyCode, Integer& Shift) override;
    void UserControl_MouseDown(Integer& Button, Integer& Shift, Single& x, Single& y) override;
    void UserControl_MouseMove(Integer& Button, Integer& Shift, Single& x, Single& y) override;
    void UserControl_MouseUp(Integer& Button, Integer& Shift, Single& x, Single& y) override;

  private:
    void DrawCaption();

    String m_Caption;
    Integer m_Alignment = 0;
};

} // namespace vx
