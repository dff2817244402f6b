#include "patterns/zoom_form.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/screen.h"
#include "patterns/zoom_steps.h"

namespace vx {
namespace {
struct RealDesk {
    Single Width() { return Screen::Width(); }
    Single Height() { return Screen::Height(); }
    void DoEvents() { vx::DoEvents(); }
};
} // namespace

void ZoomForm(Form& frm, Long nMode, Boolean /*bExact*/, Boolean bBounce) {
    if (nMode != 2) raiseError(errInvalidCall);
    RealDesk desk;
    zoomClose(frm, bBounce, desk);
}

} // namespace vx
