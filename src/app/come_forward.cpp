#include "app/come_forward.h"
#include "app/frm_main.h"
#include "platform/windows.h"

namespace vx {

void comeForward() {
    if (!SharedForm<frmMain>::exists() || !SharedForm<frmMain>::get().IsLoaded()) return;
    const win::HWND h = SharedForm<frmMain>::get().hWnd();
    win::ShowWindow(h, win::SW_RESTORE);
    win::SetForegroundWindow(h);
}

} // namespace vx
