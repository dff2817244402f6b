#include "app/frm_main.h"
#include "app/product_info.h"
#include "app/ticker_lines.h"
#include "host/app_info.h"
#include "host/errors.h"
#include "host/numeric.h"
#include "host/random.h"
#include "patterns/frm_eff.h"
#include "patterns/frm_test.h"
#include "patterns/zoom_form.h"
#include "platform/keyboard.h"
#include <cctype>

namespace vx {
namespace {
String toUtf16(const std::string& ascii) {
    return String(ascii.begin(), ascii.end());
}
} // namespace

void frmMain::Form_Load() {
    Hide();
    WhenLoad();
    Randomize();
    stPicCol();
    Timer1.setEnabled(vbTrue);
    Timer2.setEnabled(vbTrue);
    sdesk();
    Show();
    tellResampling();
    bLinesDrawn = vbFalse;
}

void frmMain::WhenLoad() {
    lbCop.setCaption(u"\u00A9 2010 " + product::AuthorName);
    std::string upper = product::WebAddress;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    setCaption(toUtf16(App::Title) + u" \u00A9 " + toUtf16(upper));
    lbTitle.setCaption(toUtf16(App::Title));
    lbHEHE.setCaption(vietnameseTickerLine());
    tLabel12.setCaption(toUtf16(product::WebAddress));
}

// Windows+M: the shell's minimise-all command. Both keys are released again, so no
// synthetic key stays held on the desktop.
void frmMain::sdesk() {
    win::keybd_event(0x5B, 0, 0, 0);
    win::keybd_event(0x4D, 0, 0, 0);
    win::keybd_event(0x4D, 0, win::KEYEVENTF_KEYUP, 0);
    win::keybd_event(0x5B, 0, win::KEYEVENTF_KEYUP, 0);
}

void frmMain::Form_Unload(Integer& /*Cancel*/) {
    resumeNext({
        [&] { bKeyLoop = vbFalse; },
        [&] { Timer1.setEnabled(vbFalse); },
        [&] { ZoomForm(*this, 2, vbTrue, vbTrue); },
        [&] { SharedForm<frmTest>::unload(); },
        [&] { SharedForm<frmEff>::unload(); },
    });
}

std::array<PictureBox*, 9> frmMain::swatches() {
    return {&Picture1, &Picture2, &Picture3, &Picture4, &Picture5,
            &Picture6, &Picture7, &Picture8, &Picture9};
}

void frmMain::stPicCol() {
    struct Named {
        OleColor colour;
        const char16_t* name;
    };
    static constexpr Named table[] = {
        {0x000000FF, u"Red"},   {0x0000FF00, u"Green"},   {0x00FF0000, u"Blue"},
        {0x00FFFF00, u"Cyan"},  {0x00FF00FF, u"Magenta"}, {0x0000FFFF, u"Yellow"},
        {0x00000000, u"Black"}, {0x00FFFFFF, u"White"},
    };
    const auto boxes = swatches();
    for (int i = 0; i < 8; ++i) {
        boxes[i]->setBackColor(table[i].colour);
        UpdateStatus(*boxes[i], table[i].name);
    }
    Picture9.setBackColor(static_cast<OleColor>(CLng(static_cast<double>(Rnd()) * 100000.0)));
}

// Prints the text centred in the box; it stays in the box's image until the colour changes.
void frmMain::UpdateStatus(PictureBox& target, const String& text) {
    const Long x = CLng(target.ScaleWidth() - target.TextWidth(text)) / 2;
    const Long y = CLng(target.ScaleHeight() - target.TextHeight(text)) / 2;
    target.setCurrentX(static_cast<Single>(x));
    target.setCurrentY(static_cast<Single>(y));
    target.setFontTransparent(vbTrue);
    target.Print(text);
}

} // namespace vx
