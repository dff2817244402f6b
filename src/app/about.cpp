// The about box followed by the screen effect, and the website line.
#include "app/about_text.h"
#include "app/desktop_notice.h"
#include "app/frm_main.h"
#include "app/product_info.h"
#include "host/errors.h"
#include "patterns/frm_eff.h"
#include "platform/modal.h"
#include "platform/shell.h"
#include "text/uni_msg_box.h"

namespace vx {

void frmMain::about() {
    String text = aboutText();
    const Long flags = 64; // information icon, one OK button
    const win::HWND owner = hWnd();
    UniMsgBox(text, flags, aboutTitle(), owner);
    // Closing the main window ended the box: the program is ending, so no effect follows.
    if (win::closeRequestPending() || !IsLoaded()) return;
    SharedForm<frmEff>::get().doeffect();
    tellNoScreenPictureOnce();
}

void frmMain::opw() {
    resumeNext(
        {[&] { win::ShellExecuteA(hWnd(), "", product::Url.c_str(), "", "", win::SW_HIDE); }});
}

void frmMain::tLabel12_Click() {
    opw();
}

} // namespace vx
