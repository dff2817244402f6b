#include "controls/t_button.h"
#include "host/color.h"
#include "host/numeric.h"
#include "platform/cursor.h"
#include "platform/frame_control.h"
#include "platform/mouse_window.h"
#include "platform/system.h"
#include "platform/text_draw.h"
#include "platform/theme.h"

namespace vx {
namespace {
// Persistence defaults.
constexpr OleColor kForeColor = 0x80000012; // button text
constexpr const char16_t* kCaption = u"UniButton";

constexpr Long PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// Centred on one line; tabs one character wide and not expanded.
constexpr win::UINT kCaptionFormat =
    win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_TABSTOP | (1u << 8);
} // namespace

tButton::tButton() : UserControl("Velotrix.tButton", 1320, 510) {}

void tButton::createConstituents() {
    addConstituent(Timer1, "Timer1");
    Timer1.setInterval(100);
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

OleColor tButton::ForeColor() const {
    return UserControl::ForeColor();
}
void tButton::setForeColor(OleColor New_ForeColor) {
    UserControl::setForeColor(New_ForeColor);
    DrawButton(PBS_NORMAL);
    PropertyChanged("ForeColor");
}

Boolean tButton::Enabled() const {
    return UserControl::Enabled();
}
void tButton::setEnabled(Boolean New_Enabled) {
    UserControl::setEnabled(New_Enabled);
    DrawButton(PBS_NORMAL);
    PropertyChanged("Enabled");
}

FontRef tButton::Font() const {
    return UserControl::Font();
}
void tButton::setFont(FontRef New_Font) {
    UserControl::setFont(std::move(New_Font));
    DrawButton(PBS_NORMAL);
    PropertyChanged("Font");
}

void tButton::Refresh() {
    UserControl::Refresh();
}

win::HWND tButton::hwnd() const {
    return hWnd();
}

String tButton::Caption() const {
    return m_Caption;
}
void tButton::setCaption(const String& New_Caption) {
    m_Caption = New_Caption;
    DrawButton(PBS_NORMAL);
    PropertyChanged("Caption");
}

void tButton::DrawButton(Long State) {
    win::RECT r;
    r.bottom = CLng(ScaleHeight());
    r.right = CLng(ScaleWidth());
    Cls();
    if (UserControl::Enabled() == vbTrue) {
        if (!DrawThemePart(u"Button", win::BP_PUSHBUTTON, State, r))
            win::DrawFrameControl(hDC(), &r, win::DFC_BUTTON,
                                  State == PBS_PRESSED ? win::DFCS_BUTTONPUSH | win::DFCS_PUSHED
                                                       : win::DFCS_BUTTONPUSH);
    } else {
        if (!DrawThemePart(u"Button", win::BP_PUSHBUTTON, PBS_DISABLED, r))
            win::DrawFrameControl(hDC(), &r, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
        win::SetTextColor(hDC(), translateColor(sysColor(win::COLOR_BTNSHADOW)));
    }
    win::DrawTextW(hDC(), m_Caption.c_str(), -1, &r, kCaptionFormat);
}

bool tButton::DrawThemePart(const String& ClassName, Long Part, Long State, const win::RECT& r) {
    try {
        const win::HTHEME hTheme = win::OpenThemeData(hWnd(), ClassName.c_str());
        bool drawn = false;
        if (hTheme != 0)
            drawn = win::DrawThemeBackground(hTheme, hDC(), Part, State, &r, &r) == win::S_OK;
        win::CloseThemeData(hTheme);
        return drawn;
    } catch (...) {
        return false;
    }
}

bool tButton::IsMouseOver(win::HWND hWnd) {
    win::POINT pt;
    win::GetCursorPos(&pt);
    return win::WindowFromPoint(pt) == hWnd;
}

void tButton::Timer1_Timer() {
    if (IsMouseOver(hwnd())) return;
    Timer1.setInterval(0);
    DrawButton(m_HasFocus == vbTrue ? PBS_DEFAULTED : PBS_NORMAL);
}

void tButton::UserControl_InitProperties() {
    UserControl::setFont(AmbientFont());
    m_Caption = kCaption;
}

void tButton::UserControl_ReadProperties(PropertyBag& PropBag) {
    UserControl::setForeColor(
        PropBag.ReadProperty("ForeColor", PropertyValue::color(kForeColor)).asColor());
    UserControl::setEnabled(PropBag.ReadProperty("Enabled", vbTrue).asBoolean());
    UserControl::setFont(PropBag.ReadProperty("Font", AmbientFont()).asFont());
    m_Caption = PropBag.ReadProperty("Caption", kCaption).asString();
}

void tButton::UserControl_WriteProperties(PropertyBag& PropBag) {
    PropBag.WriteProperty("ForeColor", PropertyValue::color(ForeColor()),
                          PropertyValue::color(kForeColor));
    PropBag.WriteProperty("Enabled", Enabled(), vbTrue);
    PropBag.WriteProperty("Font", Font(), AmbientFont());
    PropBag.WriteProperty("Caption", m_Caption, kCaption);
}

void tButton::UserControl_Resize() {
    DrawButton(PBS_NORMAL);
}
void tButton::UserControl_Show() {
    DrawButton(PBS_NORMAL);
}

void tButton::UserControl_EnterFocus() {
    m_HasFocus = vbTrue;
    if (m_LeftDown == vbFalse) DrawButton(PBS_DEFAULTED);
}

void tButton::UserControl_ExitFocus() {
    m_HasFocus = vbFalse;
    DrawButton(PBS_NORMAL);
    m_LeftDown = vbFalse;
}

void tButton::UserControl_MouseDown(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseDown, Button, Shift, x, y);
    if (Button == 1) {
        m_LeftDown = vbTrue;
        DrawButton(PBS_PRESSED);
    } else {
        m_LeftDown = vbFalse;
    }
}

void tButton::UserControl_MouseMove(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseMove, Button, Shift, x, y);
    if (Button == 1) {
        DrawButton(IsMouseOver(hwnd()) ? PBS_PRESSED : PBS_HOT);
    } else if (Button != 2) {
        Timer1.setInterval(100);
        DrawButton(PBS_HOT);
    }
}

void tButton::UserControl_MouseUp(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseUp, Button, Shift, x, y);
    DrawButton(m_HasFocus == vbTrue ? PBS_DEFAULTED : PBS_NORMAL);
    // The capture a double click took ends with the left button's release.
    if (Button == 1 && win::GetCapture() == hwnd()) win::ReleaseCapture();
}

void tButton::UserControl_DblClick() {
    if (m_LeftDown != vbTrue) return;
    win::SetCapture(hwnd());
    Integer Button = 1, Shift = 0;
    Single x = 0, y = 0;
    UserControl_MouseDown(Button, Shift, x, y);
}

void tButton::UserControl_Click() {
    RaiseEvent(Click);
}
void tButton::UserControl_KeyDown(Integer& KeyCode, Integer& Shift) {
    RaiseEvent(KeyDown, KeyCode, Shift);
}
void tButton::UserControl_KeyPress(Integer& KeyAscii) {
    RaiseEvent(KeyPress, KeyAscii);
}
void tButton::UserControl_KeyUp(Integer& KeyCode, Integer& Shift) {
    RaiseEvent(KeyUp, KeyCode, Shift);
}

} // namespace vx
