#pragma once
// The steps of the closing animation, over any window that sizes itself like a form (window
// state, outer Width and Height in twips, Move, Hide) and a desk that gives the screen's
// top-left corner and size in twips, serves pending events and shows a step (returns once the
// window's new size is on the screen and has been seen for a frame). ZoomForm runs them on a form
// and the real screen.
#include "host/numeric.h"
#include "host/vb_types.h"

namespace vx {

template <class Window, class Desk> void zoomClose(Window& frm, Boolean bBounce, Desk& desk) {
    constexpr Integer kNormal = 0, kMaximized = 2;
    if (frm.WindowState() == kMaximized) {
        frm.setWindowState(kNormal);
        frm.setWidth(desk.Width());
        frm.setHeight(desk.Height());
    }
    const Single W = frm.Width();
    const Long H = CLng(frm.Height());
    Single curW = W;
    Long curH = H;
    // Each move centres the size the window has before it, on the screen wherever that
    // monitor sits on the desktop.
    const auto left = [&] { return desk.Left() + (desk.Width() - frm.Width()) / 2.0f; };
    const auto top = [&] { return desk.Top() + (desk.Height() - frm.Height()) / 2.0f; };

    if (bBounce == vbTrue) {
        const Single l = left(), t = top();
        frm.Move(l, t, curW + 510, static_cast<Single>(toLong(H + 510LL)));
        desk.DoEvents();
        desk.ShowStep();
    }
    bool doneW = false, doneH = false;
    while (!(doneW && doneH)) {
        const Single l = left(), t = top();
        frm.Move(l, t, curW, static_cast<Single>(curH));
        desk.DoEvents();
        desk.ShowStep();
        curW = curW - 255;
        if (curW < 0) {
            curW = 0;
            doneW = true;
        }
        curH = toLong(curH - 255LL);
        if (curH < 0) {
            curH = 0;
            doneH = true;
        }
    }
    frm.Hide();
    desk.DoEvents();
}

} // namespace vx
