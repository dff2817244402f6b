// The key loop: polls the global key state, acts on the first passing row of the key
// table, pauses and serves the pending events, until the main window closes.
#include "app/desktop_notice.h"
#include "app/frm_main.h"
#include "host/errors.h"
#include "host/events.h"
#include "patterns/frm_eff.h"
#include "patterns/frm_test.h"
#include "platform/keyboard.h"
#include "platform/message_wait.h"
#include "platform/modal.h"

namespace vx {
namespace {

struct KeyRow {
    int first;
    int second; // 0 for a single key
};

// In test order: digits first, then Escape, the letter pairs and T.
constexpr KeyRow kKeyTable[] = {
    {0x31, 0},    {0x32, 0},    {0x33, 0},    {0x34, 0}, {0x35, 0}, {0x36, 0},
    {0x37, 0},    {0x38, 0},    {0x39, 0},    {0x30, 0}, {0x1B, 0}, {0x56, 0x47},
    {0x48, 0x47}, {0x56, 0x4C}, {0x48, 0x4C}, {0x54, 0},
};

// A pair passes when the AND of both states is non-zero: both down now, or both pressed
// since their last query.
bool passes(const KeyRow& row) {
    const win::SHORT a = win::GetAsyncKeyState(row.first);
    if (row.second == 0) return a != 0;
    const win::SHORT b = win::GetAsyncKeyState(row.second);
    return (a & b) != 0;
}

} // namespace

int frmMain::matchKeyRow() {
    int row = 1;
    for (const KeyRow& r : kKeyTable) {
        if (passes(r)) return row;
        ++row;
    }
    return 0;
}

void frmMain::runKeyRow(int row) {
    if (row >= 1 && row <= 10) {
        stColor(static_cast<Integer>(row == 10 ? 0 : row));
        return;
    }
    switch (row) {
    case 11: SharedForm<frmTest>::unload(); break;
    case 12: vg(); break;
    case 13: hg(); break;
    case 14:
        bLinesDrawn = vbTrue;
        vl();
        break;
    case 15:
        bLinesDrawn = vbTrue;
        hl();
        break;
    case 16:
        SharedForm<frmEff>::unload();
        SharedForm<frmEff>::get().doeffect();
        tellNoScreenPictureOnce();
        break;
    default: break;
    }
}

void frmMain::Timer1_Timer() {
    // A tick served inside a modal window's own loop would nest the key loop there, and the
    // window could not return until the program ends; a later tick starts it.
    if (win::modalWindowOpen()) return;
    bKeyLoop = vbTrue;
    do {
        int row = 0;
        resumeNext({
            [&] { runKeyRow(row = matchKeyRow()); },
            // A key held down acts again after 50 ms; a new press ends the pause early. With
            // no row passing, every key of the table was found up, and nothing can pass until
            // a press: the pause lasts until input comes or the event step has work.
            [&] {
                win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE_, row ? 50 : win::INFINITE,
                                               win::QS_ALLINPUT);
            },
            [&] { DoEvents(); },
        });
    } while (bKeyLoop == vbTrue);
}

} // namespace vx
