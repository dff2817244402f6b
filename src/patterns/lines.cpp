#include "host/numeric.h"
#include "patterns/frm_eff.h"
#include "patterns/frm_test.h"
#include "patterns/test_patterns.h"
#include <string>

namespace vx {
namespace {
// While the screen effect runs no key is polled, and the stripes cover the whole test window,
// which stays in front of the effect: a click on a stripe then closes the test window as a
// click on its bare surface would, so that the effect can be seen and ended.
void stripeClick() {
    if (EffectRunning()) SharedForm<frmTest>::unload();
}
} // namespace

// One borderless picture box per 60-twip stripe, white first.
void TestPatterns::DrawLine(const Integer& iMode) {
    frmTest& t = SharedForm<frmTest>::get();
    t.Cls();
    Integer n = 0;
    const auto colour = [&] { return n % 2 == 0 ? 0x00FFFFFF : 0x00000000; };
    if (iMode == 0) {
        const Single H = t.Height();
        const Single W = t.Width();
        for (Long p = 0; p <= H; p = toLong(60LL * (n))) {
            Control& c = t.addControl("VB.PictureBox", "pv" + std::to_string(n));
            c.setProperty("Height", 60.0);
            c.setProperty("TOp", static_cast<double>(p));
            c.setProperty("Left", 0.0);
            c.setProperty("Width", static_cast<double>(W));
            c.setProperty("BorderStyle", 0.0);
            c.setProperty("Visible", -1.0);
            c.setProperty("BackColor", static_cast<double>(colour()));
            c.onClick = stripeClick;
            n = toInteger(n + 1);
        }
    } else if (iMode == 1) {
        const Single W = t.Width();
        const Single H = t.Height();
        for (Long p = 0; p <= W; p = toLong(60LL * (n))) {
            Control& c = t.addControl("VB.PictureBox", "ph" + std::to_string(n));
            c.setProperty("Width", 60.0);
            c.setProperty("TOp", 0.0);
            c.setProperty("Left", static_cast<double>(p));
            c.setProperty("Height", static_cast<double>(H));
            c.setProperty("BorderStyle", 0.0);
            c.setProperty("Visible", -1.0);
            c.setProperty("BackColor", static_cast<double>(colour()));
            c.onClick = stripeClick;
            n = toInteger(n + 1);
        }
    }
}

void TestPatterns::showLines(Integer mode) {
    if (bLinesDrawn == vbTrue) SharedForm<frmTest>::unload();
    SharedForm<frmTest>::get().Show();
    DrawLine(mode);
}

void TestPatterns::vl() {
    showLines(0);
}
void TestPatterns::hl() {
    showLines(1);
}

} // namespace vx
