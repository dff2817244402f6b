// The words under the control window's legend where the desktop resamples the patterns.
#include "app/frm_main.h"
#include "platform/desktop.h"
#include <cstdio>
#include <string>

namespace vx {
namespace {

constexpr Single kStrip = 510; // the words' strip below the ticker line, twips

std::string wording(int percent) {
    return "This desktop scales Velotrix's windows by " + std::to_string(percent) +
           " %, so the stripes reach the screen resampled. Set the display's scale to 100 % or "
           "200 % for an exact test.";
}

} // namespace

void frmMain::tellResampling() {
    const int percent = win::resamplingPercent();
    if (percent == iResampledPercent) return;
    const bool wasShown = iResampledPercent != 0;
    iResampledPercent = percent;
    if (percent != 0) {
        const std::string words = wording(percent);
        lbScale.setCaption(String(words.begin(), words.end()));
        std::fprintf(stderr, "velotrix: %s\n", words.c_str());
    }
    if (wasShown != (percent != 0)) {
        lbScale.setVisible(percent != 0 ? vbTrue : vbFalse);
        setHeight(Height() + (percent != 0 ? kStrip : -kStrip));
    }
}

} // namespace vx
