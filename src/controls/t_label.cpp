#include "controls/t_label.h"
#include "host/numeric.h"
#include "platform/text_draw.h"

namespace vx {
namespace {
// Persistence defaults.
constexpr OleColor kBackColor = 0x8000000F; // button face
constexpr OleColor kForeColor = 0x80000012; // button text
constexpr const char16_t* kCaption = u"UniLabel";
} // namespace

tLabel::tLabel() : UserControl("Velotrix.tLabel", 1305, 360) {}

OleColor tLabel::BackColor() const {
    return UserControl::BackColor();
}
void tLabel::setBackColor(OleColor New_BackColor) {
    UserControl::setBackColor(New_BackColor);
    PropertyChanged("BackColor");
}

OleColor tLabel::ForeColor() const {
    return UserControl::ForeColor();
}
void tLabel::setForeColor(OleColor New_ForeColor) {
    UserControl::setForeColor(New_ForeColor);
    PropertyChanged("ForeColor");
}

Boolean tLabel::Enabled() const {
    return UserControl::Enabled();
}
void tLabel::setEnabled(Boolean New_Enabled) {
    UserControl::setEnabled(New_Enabled);
    PropertyChanged("Enabled");
}

FontRef tLabel::Font() const {
    return UserControl::Font();
}
void tLabel::setFont(FontRef New_Font) {
    UserControl::setFont(std::move(New_Font));
    PropertyChanged("Font");
}

Integer tLabel::BackStyle() const {
    return UserControl::BackStyle();
}
void tLabel::setBackStyle(Integer New_BackStyle) {
    UserControl::setBackStyle(New_BackStyle);
    PropertyChanged("BackStyle");
}

Integer tLabel::BorderStyle() const {
    return UserControl::BorderStyle();
}
void tLabel::setBorderStyle(Integer New_BorderStyle) {
    UserControl::setBorderStyle(New_BorderStyle);
    PropertyChanged("BorderStyle");
}

void tLabel::Refresh() {
    UserControl::Refresh();
    DrawCaption();
}

String tLabel::Caption() const {
    return m_Caption;
}
void tLabel::setCaption(const String& New_Caption) {
    m_Caption = New_Caption;
    PropertyChanged("Caption");
}

Long tLabel::Alignment() const {
    return m_Alignment;
}
void tLabel::setAlignment(Long New_Alignment) {
    m_Alignment = toInteger(New_Alignment);
    DrawCaption();
    PropertyChanged("Alignment");
}

void tLabel::DrawCaption() {
    Cls();
    win::RECT r;
    r.right = CLng(ScaleWidth());
    r.bottom = CLng(ScaleHeight());
    win::DrawTextW(hDC(), m_Caption.c_str(), -1, &r,
                   static_cast<win::UINT>(static_cast<Long>(m_Alignment)));
}

void tLabel::UserControl_InitProperties() {
    UserControl::setFont(AmbientFont());
    m_Caption = kCaption;
    m_Alignment = 0;
}

void tLabel::UserControl_ReadProperties(PropertyBag& PropBag) {
    UserControl::setBackColor(
        PropBag.ReadProperty("BackColor", PropertyValue::color(kBackColor)).asColor());
    UserControl::setForeColor(
        PropBag.ReadProperty("ForeColor", PropertyValue::color(kForeColor)).asColor());
    UserControl::setEnabled(PropBag.ReadProperty("Enabled", vbTrue).asBoolean());
    UserControl::setFont(PropBag.ReadProperty("Font", AmbientFont()).asFont());
    UserControl::setBackStyle(PropBag.ReadProperty("BackStyle", 1).asInteger());
    UserControl::setBorderStyle(PropBag.ReadProperty("BorderStyle", 0).asInteger());
    m_Caption = PropBag.ReadProperty("Caption", kCaption).asString();
    m_Alignment = PropBag.ReadProperty("Alignment", 0).asInteger();
}

void tLabel::UserControl_WriteProperties(PropertyBag& PropBag) {
    PropBag.WriteProperty("BackColor", PropertyValue::color(BackColor()),
                          PropertyValue::color(kBackColor));
    PropBag.WriteProperty("ForeColor", PropertyValue::color(ForeColor()),
                          PropertyValue::color(kForeColor));
    PropBag.WriteProperty("Enabled", Enabled(), vbTrue);
    PropBag.WriteProperty("Font", Font(), AmbientFont());
    PropBag.WriteProperty("BackStyle", BackStyle(), 1);
    PropBag.WriteProperty("BorderStyle", BorderStyle(), 0);
    PropBag.WriteProperty("Caption", m_Caption, kCaption);
    PropBag.WriteProperty("Alignment", m_Alignment, 0);
}

void tLabel::UserControl_Resize() {
    DrawCaption();
}
void tLabel::UserControl_Show() {
    DrawCaption();
}

void tLabel::UserControl_Click() {
    RaiseEvent(Click);
}
void tLabel::UserControl_DblClick() {
    RaiseEvent(DblClick);
}
void tLabel::UserControl_KeyDown(Integer& KeyCode, Integer& Shift) {
    RaiseEvent(KeyDown, KeyCode, Shift);
}
void tLabel::UserControl_KeyPress(Integer& KeyAscii) {
    RaiseEvent(KeyPress, KeyAscii);
}
void tLabel::UserControl_KeyUp(Integer& KeyCode, Integer& Shift) {
    RaiseEvent(KeyUp, KeyCode, Shift);
}
void tLabel::UserControl_MouseDown(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseDown, Button, Shift, x, y);
}
void tLabel::UserControl_MouseMove(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseMove, Button, Shift, x, y);
}
void tLabel::UserControl_MouseUp(Integer& Button, Integer& Shift, Single& x, Single& y) {
    RaiseEvent(MouseUp, Button, Shift, x, y);
}

} // namespace vx
