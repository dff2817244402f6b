// The main window's controls with their places, texts, fonts and colours, in creation order:
// the first created lies on top. Each control's settings reach it through a property bag,
// as from a saved layout: a user control reads its own keys, the container keeps the rest.
#include "app/frm_main.h"
#include "app/product_info.h"
#include "host/color.h"
#include "host/property_bag.h"
#include <optional>
#include <string_view>
#include <vector>

namespace vx {
namespace {

constexpr OleColor kBlack = 0x00000000;
constexpr OleColor kWhite = 0x00FFFFFF;
constexpr OleColor kYellow = 0x0000FFFF;

struct Box {
    Single left, top, width, height;
};

struct Setting {
    const char* key;
    PropertyValue value;
};

struct Entry {
    Control& control;
    const char* name;
    PictureBox* container;  // null: the form
    std::optional<Box> box; // timers have no place
    std::vector<Setting> settings;
};

PropertyValue font(const char* face, double points, bool bold) {
    return StdFont::make(face, points, bold);
}
PropertyValue colour(OleColor c) {
    return PropertyValue::color(c);
}

Entry swatch(PictureBox& box, const char* name, const char16_t* tip, Single left, Single top,
             OleColor textColour = sysColor(18)) {
    return {box,
            name,
            nullptr,
            Box{left, top, 1995, 375},
            {{"ToolTipText", tip},
             {"Font", font("Courier New", 9, true)},
             {"ForeColor", colour(textColour)}}};
}

Entry whiteOnBlack(Label& label, const char* name, const char16_t* caption, Box box,
                   double points) {
    return {label,
            name,
            nullptr,
            box,
            {{"Caption", caption},
             {"Font", font("Courier New", points, true)},
             {"ForeColor", colour(kWhite)},
             {"BackColor", colour(kBlack)}}};
}

Entry menuLabel(Label& label, const char* name, const char16_t* caption, Single left, Single top) {
    return whiteOnBlack(label, name, caption, Box{left, top, 2040, 465}, 9);
}

Entry legend(Label& label, const char* name, const char16_t* caption, Single left, Single top,
             Single width = 870) {
    return whiteOnBlack(label, name, caption, Box{left, top, width, 330}, 11.25);
}

// Settings the container keeps for every control, whatever its kind.
bool isExtenderProperty(std::string_view key) {
    return key == "ToolTipText" || key == "Visible" || key == "Left" || key == "Top" ||
           key == "Width" || key == "Height";
}

void applyToPlainControl(Control& c, const std::string& key, const PropertyValue& v) {
    if (key == "Font") {
        if (auto* label = dynamic_cast<Label*>(&c)) return label->setFont(v.asFont());
        if (auto* box = dynamic_cast<PictureBox*>(&c)) return box->setFont(v.asFont());
    }
    c.setProperty(key, v.isString() ? Control::Value(v.asString()) : Control::Value(v.asNumber()));
}

void place(Form& form, const Entry& e) {
    if (e.container)
        e.control.create(form, *e.container, e.name);
    else
        e.control.create(form, e.name);
    if (e.box) e.control.Move(e.box->left, e.box->top, e.box->width, e.box->height);

    PropertyBag saved, own;
    for (const Setting& s : e.settings) saved.WriteProperty(s.key, s.value);
    auto* user = dynamic_cast<UserControl*>(&e.control);
    for (const auto& [key, value] : saved.Contents()) {
        if (user && !isExtenderProperty(key))
            own.WriteProperty(key, value);
        else
            applyToPlainControl(e.control, key, value);
    }
    if (user) user->ReadFrom(own);
}

} // namespace

frmMain::frmMain() {
    borderStyle = vbFixedSingle;
    minButton = true;
    maxButton = false;
    centerOnFirstShow = true;
    startupForm = true;
    clientWidth = 9105;
    clientHeight = 4740;
    iconResource = "velotrix.png";
    setBackColor(kBlack);
    setFont(StdFont::make("Tahoma", 8.25));
}

void frmMain::InitializeComponent() {
    const String webAddress(product::WebAddress.begin(), product::WebAddress.end());
    const std::vector<Entry> layout = {
        {Timer2, "Timer2", nullptr, {}, {{"Interval", 5000}, {"Enabled", vbFalse}}},
        {lbHEHE,
         "lbHEHE",
         nullptr,
         Box{90, 4275, 8925, 375},
         {{"ToolTipText", u"About..."},
          {"BackColor", colour(kBlack)},
          {"ForeColor", colour(kYellow)},
          {"Font", font("Courier New", 14.25, true)},
          {"Alignment", 1}}},
        {btPick,
         "btPick",
         nullptr,
         Box{8730, 2655, 285, 195},
         {{"ToolTipText", u"Select color..."},
          {"Font", font("Tahoma", 6.75, false)},
          {"Caption", u"..."}}},
        swatch(Picture9, "Picture9", u"Custom", 7020, 2475),
        swatch(Picture8, "Picture8", u"White", 4005, 2475),
        swatch(Picture7, "Picture7", u"Black", 990, 2475, kWhite),
        swatch(Picture6, "Picture6", u"Yellow", 7020, 1890),
        swatch(Picture5, "Picture5", u"Magenta", 4005, 1890),
        swatch(Picture4, "Picture4", u"Cyan", 990, 1890),
        swatch(Picture3, "Picture3", u"Blue", 7020, 1305),
        swatch(Picture2, "Picture2", u"Green", 4005, 1305),
        swatch(Picture1, "Picture1", u"Red", 990, 1305),
        {Timer1, "Timer1", nullptr, {}, {{"Interval", 1000}, {"Enabled", vbFalse}}},
        {PicBack,
         "PicBack",
         nullptr,
         Box{90, 90, 8925, 1050},
         {{"BorderStyle", 0}, {"BackColor", colour(kBlack)}}},
        {lbCop,
         "lbCop",
         &PicBack,
         Box{45, 495, 8835, 240},
         {{"BackColor", colour(kBlack)},
          {"ForeColor", colour(0x00C0C0FF)},
          {"Font", font("Courier New", 9.75, true)},
          {"Alignment", 1}}},
        {tLabel12,
         "tLabel12",
         &PicBack,
         Box{45, 720, 8835, 285},
         {{"BackColor", colour(kBlack)},
          {"ForeColor", colour(0x0000FF00)},
          {"Font", font("Courier New", 9.75, true)},
          {"Caption", webAddress},
          {"Alignment", 1}}},
        {lbTitle,
         "lbTitle",
         &PicBack,
         Box{45, 0, 8835, 510},
         {{"Font", font("Courier New", 26.25, true)},
          {"ForeColor", colour(kYellow)},
          {"BackColor", colour(0x00C0FFFF)},
          {"BackStyle", 0},
          {"Alignment", vbCenter}}},
        menuLabel(lbRan, "lbRan", u"Random", 990, 3105),
        menuLabel(Label20, "Label20", u"Exit", 7020, 3690),
        menuLabel(lbHL, "lbHL", u"Horizontal Lines", 4005, 3690),
        menuLabel(lbVL, "lbVL", u"Vertical Lines", 990, 3690),
        menuLabel(lbHG, "lbHG", u"Horizontal Gradient", 7020, 3105),
        menuLabel(lbVG, "lbVG", u"Vertical Gradient", 4005, 3105),
        legend(Label15, "Label15", u"ESC:", 6390, 3690, 600),
        legend(Label14, "Label14", u"H + L:", 3105, 3690),
        legend(Label13, "Label13", u"V + L:", 90, 3690),
        legend(Label12, "Label12", u"H + G:", 6120, 3105),
        legend(Label11, "Label11", u"V + G:", 3105, 3105),
        legend(Label10, "Label10", u"Key 0:", 90, 3105),
        legend(Label9, "Label9", u"Key 9:", 6120, 2520),
        legend(Label8, "Label8", u"Key 8:", 3105, 2520),
        legend(Label7, "Label7", u"Key 7:", 90, 2520),
        legend(Label6, "Label6", u"Key 6:", 6120, 1935),
        legend(Label5, "Label5", u"Key 5:", 3105, 1935),
        legend(Label4, "Label4", u"Key 4:", 90, 1935),
        legend(Label1, "Label1", u"Key 1:", 90, 1350),
        legend(Label3, "Label3", u"Key 3:", 6120, 1350),
        legend(Label2, "Label2", u"Key 2:", 3105, 1350),
        {lbScale,
         "lbScale",
         nullptr,
         Box{90, 4740, 8925, 450},
         {{"Font", font("Tahoma", 8.25, true)},
          {"ForeColor", colour(kBlack)},
          {"BackColor", colour(kYellow)},
          {"Visible", vbFalse}}},
    };
    for (const Entry& e : layout) place(*this, e);

    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    lbHEHE.Click = [this] { lbHEHE_Click(); };
    lbHEHE.MouseMove = [this](Integer& Button, Integer& Shift, Single& x, Single& y) {
        lbHEHE_MouseMove(Button, Shift, x, y);
    };
    tLabel12.Click = [this] { tLabel12_Click(); };
    btPick.Click = [this] { btPick_Click(); };
    Picture1.onClick = [this] { stColor(1); };
    Picture2.onClick = [this] { stColor(2); };
    Picture3.onClick = [this] { stColor(3); };
    Picture4.onClick = [this] { stColor(4); };
    Picture5.onClick = [this] { stColor(5); };
    Picture6.onClick = [this] { stColor(6); };
    Picture7.onClick = [this] { stColor(7); };
    Picture8.onClick = [this] { stColor(8); };
    Picture9.onClick = [this] { stColor(9); };
    lbRan.onClick = [this] { stColor(0); };
    lbVG.onClick = [this] { vg(); };
    lbHG.onClick = [this] { hg(); };
    lbVL.onClick = [this] {
        bLinesDrawn = vbTrue;
        vl();
    };
    lbHL.onClick = [this] {
        bLinesDrawn = vbTrue;
        hl();
    };
    // The hand over everything that starts a pattern; the arguments are not used.
    for (Control* c : std::initializer_list<Control*>{
             &Picture1, &Picture2, &Picture3, &Picture4, &Picture5, &Picture6, &Picture7, &Picture8,
             &Picture9, &lbRan, &lbVG, &lbHG, &lbVL, &lbHL})
        c->onMouseMove = [this](Integer, Integer, Single, Single) { sethand(); };
}

} // namespace vx
