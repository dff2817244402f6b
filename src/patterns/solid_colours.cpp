#include "host/errors.h"
#include "host/numeric.h"
#include "host/random.h"
#include "patterns/frm_test.h"
#include "patterns/test_patterns.h"

namespace vx {

Long TestPatterns::randomColour() {
    return CLng(static_cast<double>(Rnd()) * 100000.0);
}

void TestPatterns::stColor(const Integer& iMode) {
    resumeNext({
        [&] {
            if (bLinesDrawn == vbTrue) SharedForm<frmTest>::unload();
        },
        [&] {
            // The colour goes to the window before it is shown, which then shows it from
            // the start.
            frmTest& t = SharedForm<frmTest>::get();
            t.Load();
            switch (iMode) {
            case 0: t.setBackColor(static_cast<OleColor>(randomColour())); break;
            case 1: t.setBackColor(0x000000FF); break;
            case 2: t.setBackColor(0x0000FF00); break;
            case 3: t.setBackColor(0x00FF0000); break;
            case 4: t.setBackColor(0x00FFFF00); break;
            case 5: t.setBackColor(0x00FF00FF); break;
            case 6: t.setBackColor(0x0000FFFF); break;
            case 7: t.setBackColor(0x00000000); break;
            case 8: t.setBackColor(0x00FFFFFF); break;
            case 9: t.setBackColor(customColour()); break;
            default: break;
            }
        },
        [&] { SharedForm<frmTest>::get().Show(); },
        [&] { SharedForm<frmTest>::get().Cls(); },
        [&] { bLinesDrawn = vbFalse; },
    });
}

} // namespace vx
