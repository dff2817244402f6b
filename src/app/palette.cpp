// The colour chooser behind the small button on the Custom swatch, and the hand cursor.
#include "app/frm_main.h"
#include "dialogs/c_common_dialog.h"
#include "platform/cursor.h"
#include "platform/ole.h"
#include <memory>

namespace vx {

void frmMain::sethand() {
    const win::HCURSOR hand = win::LoadCursorA(0, win::IDC_HAND);
    if (hand > 0) win::SetCursor(hand);
}

void frmMain::btPick_Click() {
    win::COLORREF rgb = 0;
    win::OleTranslateColor(Picture9.BackColor(), 0, &rgb);
    Long c = static_cast<Long>(rgb);
    // A new dialog object every time: nothing of one choice carries over to the next.
    auto dialog = std::make_unique<cCommonDialog>();
    Long owner = hWnd();
    if (dialog->VBChooseColor(c, vbTrue, vbTrue, vbFalse, owner, 0) == vbTrue)
        Picture9.setBackColor(static_cast<OleColor>(c));
}

} // namespace vx
