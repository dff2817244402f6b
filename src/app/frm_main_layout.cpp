// The main window's controls with their places, texts, fonts and colours, in creation order.
#include "app/frm_main.h"
#include "host/color.h"

namespace vx {
namespace {

constexpr OleColor kBlack = 0x00000000;
constexpr OleColor kWhite = 0x00FFFFFF;

void place(Control& c, Single left, Single top, Single width, Single height) {
    c.Move(left, top, width, height);
}

void plainLabel(Form& f, Label& l, const char* name, const char16_t* caption, Single left,
                Single top, Single width, Single height, double points) {
    l.create(f, name);
    place(l, left, top, width, height);
    l.setCaption(caption);
    l.setFont(StdFont::make("Courier New", points, true));
    l.setForeColor(kWhite);
    l.setBackColor(kBlack);
}

} // namespace

frmMain::frmMain() {
    borderStyle = vbFixedSingle;
    minButton = true;
    maxButton = false;
    centerOnFirstShow = true;
    clientWidth = 9105;
    clientHeight = 4740;
    iconResource = "velotrix.png";
    setBackColor(kBlack);
    setFont(StdFont::make("Tahoma", 8.25));
}

void frmMain::InitializeComponent() {
    Timer2.create(*this, "Timer2");
    Timer2.setInterval(5000);
    Timer2.setEnabled(vbFalse);

    lbHEHE.create(*this, "lbHEHE");
    place(lbHEHE, 90, 4275, 8925, 375);
    lbHEHE.setToolTipText(u"About...");
    lbHEHE.setFont(StdFont::make("Courier New", 14.25, true));
    lbHEHE.setForeColor(0x0000FFFF);
    lbHEHE.setBackColor(kBlack);
    lbHEHE.setAlignment(vbCenter);

    btPick.create(*this, "btPick");
    place(btPick, 8730, 2655, 285, 195);
    btPick.setCaption(u"...");
    btPick.setToolTipText(u"Select color...");
    btPick.setFont(StdFont::make("Tahoma", 6.75));
    btPick.setAlignment(vbCenter);

    // Swatches, created Custom first; the grid gives each its place.
    struct Swatch {
        PictureBox& box;
        const char* name;
        const char16_t* tip;
        Single left, top;
    };
    const Swatch grid[] = {
        {Picture9, "Picture9", u"Custom", 7020, 2475}, {Picture8, "Picture8", u"White", 4005, 2475},
        {Picture7, "Picture7", u"Black", 990, 2475},   {Picture6, "Picture6", u"Yellow", 7020, 1890},
        {Picture5, "Picture5", u"Magenta", 4005, 1890}, {Picture4, "Picture4", u"Cyan", 990, 1890},
        {Picture3, "Picture3", u"Blue", 7020, 1305},   {Picture2, "Picture2", u"Green", 4005, 1305},
        {Picture1, "Picture1", u"Red", 990, 1305},
    };
    for (const Swatch& s : grid) {
        s.box.create(*this, s.name);
        place(s.box, s.left, s.top, 1995, 375);
        s.box.setToolTipText(s.tip);
        s.box.setFont(StdFont::make("Courier New", 9, true));
        s.box.setForeColor(&s.box == &Picture7 ? kWhite : sysColor(18));
    }

    Timer1.create(*this, "Timer1");
    Timer1.setInterval(1000);
    Timer1.setEnabled(vbFalse);

    PicBack.create(*this, "PicBack");
    place(PicBack, 90, 90, 8925, 1050);
    PicBack.setBorderStyle(0);
    PicBack.setBackColor(kBlack);

    lbCop.create(*this, PicBack, "lbCop");
    place(lbCop, 45, 495, 8835, 240);
    lbCop.setFont(StdFont::make("Courier New", 9.75, true));
    lbCop.setForeColor(0x00C0C0FF);
    lbCop.setBackColor(kBlack);
    lbCop.setAlignment(vbCenter);

    tLabel12.create(*this, PicBack, "tLabel12");
    place(tLabel12, 45, 720, 8835, 285);
    tLabel12.setFont(StdFont::make("Courier New", 9.75, true));
    tLabel12.setForeColor(0x0000FF00);
    tLabel12.setBackColor(kBlack);
    tLabel12.setAlignment(vbCenter);

    lbTitle.create(*this, PicBack, "lbTitle");
    place(lbTitle, 45, 0, 8835, 510);
    lbTitle.setFont(StdFont::make("Courier New", 26.25, true));
    lbTitle.setForeColor(0x0000FFFF);
    lbTitle.setBackColor(0x00C0FFFF);
    lbTitle.setBackStyle(0);
    lbTitle.setAlignment(vbCenter);

    plainLabel(*this, lbRan, "lbRan", u"Random", 990, 3105, 2040, 465, 9);
    plainLabel(*this, Label20, "Label20", u"Exit", 7020, 3690, 2040, 465, 9);
    plainLabel(*this, lbHL, "lbHL", u"Horizontal Lines", 4005, 3690, 2040, 465, 9);
    plainLabel(*this, lbVL, "lbVL", u"Vertical Lines", 990, 3690, 2040, 465, 9);
    plainLabel(*this, lbHG, "lbHG", u"Horizontal Gradient", 7020, 3105, 2040, 465, 9);
    plainLabel(*this, lbVG, "lbVG", u"Vertical Gradient", 4005, 3105, 2040, 465, 9);

    plainLabel(*this, Label15, "Label15", u"ESC:", 6390, 3690, 600, 330, 11.25);
    plainLabel(*this, Label14, "Label14", u"H + L:", 3105, 3690, 870, 330, 11.25);
    plainLabel(*this, Label13, "Label13", u"V + L:", 90, 3690, 870, 330, 11.25);
    plainLabel(*this, Label12, "Label12", u"H + G:", 6120, 3105, 870, 330, 11.25);
    plainLabel(*this, Label11, "Label11", u"V + G:", 3105, 3105, 870, 330, 11.25);
    plainLabel(*this, Label10, "Label10", u"Key 0:", 90, 3105, 870, 330, 11.25);
    plainLabel(*this, Label9, "Label9", u"Key 9:", 6120, 2520, 870, 330, 11.25);
    plainLabel(*this, Label8, "Label8", u"Key 8:", 3105, 2520, 870, 330, 11.25);
    plainLabel(*this, Label7, "Label7", u"Key 7:", 90, 2520, 870, 330, 11.25);
    plainLabel(*this, Label6, "Label6", u"Key 6:", 6120, 1935, 870, 330, 11.25);
    plainLabel(*this, Label5, "Label5", u"Key 5:", 3105, 1935, 870, 330, 11.25);
    plainLabel(*this, Label4, "Label4", u"Key 4:", 90, 1935, 870, 330, 11.25);
    plainLabel(*this, Label1, "Label1", u"Key 1:", 90, 1350, 870, 330, 11.25);
    plainLabel(*this, Label3, "Label3", u"Key 3:", 6120, 1350, 870, 330, 11.25);
    plainLabel(*this, Label2, "Label2", u"Key 2:", 3105, 1350, 870, 330, 11.25);

    Timer1.onTimer = [this] { Timer1_Timer(); };
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
}

} // namespace vx
