#include "host/numeric.h"
#include "patterns/frm_test.h"
#include "patterns/test_patterns.h"
#include <cstdio>
#include <string>

namespace vx {
namespace {
// The value of hexadecimal digits, as "&h" followed by them evaluates.
Integer hexValue(const std::string& digits) {
    return CInt(std::stoul(digits, nullptr, 16));
}
} // namespace

void TestPatterns::GetRGBComponents(Long lColor, Integer& iRed, Integer& iGreen, Integer& iBlue) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(lColor));
    std::string hex = buf;
    if (hex.size() > 6) hex = hex.substr(hex.size() - 6);
    if (hex.size() > 4) {
        iBlue = hexValue(hex.substr(0, hex.size() - 4));
        hex = hex.substr(hex.size() - 4);
    }
    if (hex.size() > 2) {
        iGreen = hexValue(hex.substr(0, hex.size() - 2));
        hex = hex.substr(hex.size() - 2);
    }
    iRed = hexValue(hex);
}

void TestPatterns::GradientForm_0(Form& frm, const Long& lStartColor, const Long& lEndColor,
                                  const Integer& iOrientation) {
    Integer sR = 0, sG = 0, sB = 0, eR = 0, eG = 0, eB = 0;
    GetRGBComponents(lStartColor, sR, sG, sB);
    GetRGBComponents(lEndColor, eR, eG, eB);
    const double dR = toInteger(eR - sR) / 255.0;
    const double dG = toInteger(eG - sG) / 255.0;
    const double dB = toInteger(eB - sB) / 255.0;
    const auto band = [&](int i) {
        const Long red = CInt(sR + i * dR), green = CInt(sG + i * dG), blue = CInt(sB + i * dB);
        return static_cast<OleColor>(toLong(red + green * 256LL + blue * 65536LL));
    };
    if (iOrientation == 1) {
        frm.Scale(0, 0, 1, 256);
        for (int i = 0; i <= 255; ++i) frm.LineBF(0, i, 1, i + 1, band(i));
    }
    if (iOrientation == 2) {
        frm.Scale(0, 0, 256, 1);
        for (int i = 0; i <= 255; ++i) frm.LineBF(i, 0, i + 1, 1, band(i));
    }
    frm.ScaleDefault();
}

void TestPatterns::showGradient(Integer orientation) {
    if (bLinesDrawn == vbTrue) SharedForm<frmTest>::unload();
    frmTest& t = SharedForm<frmTest>::get();
    t.Show();
    t.Cls();
    GradientForm_0(t, 0x00FF0000, 0x000000FF, orientation);
}

void TestPatterns::vg() {
    showGradient(1);
}
void TestPatterns::hg() {
    showGradient(2);
}

} // namespace vx
