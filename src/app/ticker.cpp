// The line along the bottom: a Vietnamese and an English wording, swapped every 5 s; a click
// opens the about box.
#include "app/frm_main.h"
#include "app/ticker_lines.h"

namespace vx {

void frmMain::Timer2_Timer() {
    if (bTickerEnglish == vbTrue) {
        lbHEHE.setCaption(vietnameseTickerLine());
        bTickerEnglish = vbFalse;
    } else {
        lbHEHE.setCaption(englishTickerLine());
        bTickerEnglish = vbTrue;
    }
    lbHEHE.Refresh(); // a tLabel does not redraw on a caption change alone
    tellResampling(); // the window may have been dragged onto another monitor
}

void frmMain::lbHEHE_Click() {
    about();
}

void frmMain::lbHEHE_MouseMove(Integer&, Integer&, Single&, Single&) {
    sethand();
}

} // namespace vx
