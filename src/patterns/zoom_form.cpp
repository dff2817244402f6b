#include "patterns/zoom_form.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/screen.h"
#include "patterns/zoom_steps.h"

namespace vx {
namespace {
struct RealDesk {
    Form& frm;
    Single Left() { return Screen::Left(); }
    Single Top() { return Screen::Top(); }
    Single Width() { return Screen::Width(); }
    Single Height() { return Screen::Height(); }
    void DoEvents() { vx::DoEvents(); }
    // Without this the steps go by faster than the screen refreshes and the window manager
    // configures, and most of them are never seen.
    void ShowStep() { frm.Present(true); }
};
} // namespace

void ZoomForm(Form& frm, Long nMode, Boolean /*bExact*/, Boolean bBounce) {
    if (nMode != 2) raiseError(errInvalidCall);
    RealDesk desk{frm};
    zoomClose(frm, bBounce, desk);
}

} // namespace vx
