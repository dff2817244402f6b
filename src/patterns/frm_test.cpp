#include "patterns/frm_test.h"
#include "platform/windows.h"

namespace vx {

frmTest::frmTest() {
    borderStyle = vbBSNone;
    startWindowState = vbMaximized;
    hideIdlePointer = true;
    keepWindowOnReload = true;
    setBackColor(0x00000000);
    setCaption(u"Form1");
}

void frmTest::InitializeComponent() {
    Timer1.create(*this, "Timer1");
    Timer1.setInterval(1000);
    Timer1.setEnabled(vbTrue);
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void frmTest::Form_Load() {
    Cls();
    Refresh();
}

// Only the window's own surface gets here: a click on a stripe goes to the stripe.
void frmTest::Form_Click() {
    Unload();
}

void frmTest::Timer1_Timer() {
    win::SetForegroundWindow(hWnd());
    win::SetWindowPos(hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_SHOWWINDOW);
}

} // namespace vx
