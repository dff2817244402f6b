#include "patterns/frm_eff.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/numeric.h"
#include "host/random.h"
#include "host/screen.h"
#include "platform/gdi.h"
#include "platform/modal.h"

namespace vx {

frmEff::frmEff() {
    borderStyle = vbBSNone;
    startWindowState = vbMaximized;
    hideIdlePointer = true;
    setBackColor(0x00000000);
    setForeColor(0x00FFFFFF);
    setAutoRedraw(vbTrue);
    setCaption(u"frmEff");
}

void frmEff::Form_Load() {
    iJitterX = 2;
    iJitterY = 2;
    iShiftX = 1;
    iShiftY = 1;
    iBlockW = 128;
    iBlockH = 128;
}

void frmEff::Form_Click() {
    bRunning = vbFalse;
}

void frmEff::Form_MouseDown(Integer, Integer, Single, Single) {
    bRunning = vbFalse;
}

void frmEff::Form_Unload(Integer&) {
    bRunning = vbFalse;
}

bool EffectRunning() {
    return SharedForm<frmEff>::exists() && SharedForm<frmEff>::get().bRunning == vbTrue;
}

void frmEff::doeffect() {
    // The shared reference is let go of below while this call still runs on the instance.
    if (!SharedForm<frmEff>::exists() || &SharedForm<frmEff>::get() != this)
        raiseError(errInvalidCall, "The effect runs on the shared effect window only");
    const std::shared_ptr<frmEff> self = SharedForm<frmEff>::hold();
    const win::ModalScope modal; // keys wait until the effect has ended

    const Single wPixels = Screen::Width() / Screen::TwipsPerPixelX();
    const Single hPixels = Screen::Height() / Screen::TwipsPerPixelY();
    const Integer Wp = CInt(wPixels);
    const Integer Hp = CInt(hPixels);

    setWidth(Screen::Width());
    setHeight(Screen::Height());
    hScreenDC = win::GetDC(0);
    // Without a picture of the screen there is nothing to crumble: a black one would pass
    // for the screen. The caller tells the user why.
    if (hScreenDC == 0) {
        SharedForm<frmEff>::release();
        Unload();
        return;
    }
    // Still hidden: what is captured is the screen as the user sees it.
    win::BitBlt(hDC(), 0, 0, Wp, Hp, hScreenDC, 0, 0, win::SRCCOPY);
    // Running from the moment it shows: a click while it comes up ends it.
    bRunning = vbTrue;
    Show();
    // Under a window manager the window shows up a little later: the picture starts to
    // crumble only once it is seen whole.
    Present();
    // Events were served meanwhile: the program may have closed the window already.
    if (!IsLoaded()) {
        SharedForm<frmEff>::release();
        win::ReleaseDC(0, hScreenDC);
        return;
    }
    setAutoRedraw(vbFalse);
    Randomize();

    const Single spanX = toInteger(Wp - 128);
    const Single spanY = toInteger(Hp - 128);
    while (bRunning == vbTrue) {
        const Single r1 = Rnd();
        const Single r2 = Rnd();
        const Single r3 = Rnd();
        const Single r4 = Rnd();
        const Integer x = CInt(spanX * r1);
        const Integer y = CInt(spanY * r2);
        const Integer dx = CInt(static_cast<Single>(iJitterX) * r3 - static_cast<Single>(iShiftX));
        const Integer dy = CInt(static_cast<Single>(iJitterY) * r4 - static_cast<Single>(iShiftY));
        win::BitBlt(hDC(), toInteger(x + dx), toInteger(y + dy), iBlockW, iBlockH, hDC(), x, y,
                    win::SRCCOPY);
        DoEvents();
    }

    SharedForm<frmEff>::release();
    win::ReleaseDC(0, hScreenDC);
    Unload();
}

} // namespace vx
