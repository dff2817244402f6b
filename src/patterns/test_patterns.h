#pragma once
// The pattern operations of the main window. They agree through bLinesDrawn on when the
// test window may hold stripes and must be loaded afresh.
#include "host/form.h"
#include "host/vb_types.h"

namespace vx {

class TestPatterns {
  public:
    virtual ~TestPatterns() = default;

    // True (-1) while the test window may hold stripe controls.
    Boolean bLinesDrawn = vbFalse;

    // Solid colours: 1 red ... 8 white, 9 the custom colour, 0 a random colour; any other
    // mode shows and clears the window and leaves its colour.
    void stColor(const Integer& iMode);
    void vg();
    void hg();
    void vl();
    void hl();
    void DrawLine(const Integer& iMode);

    static void GradientForm_0(Form& frm, const Long& lStartColor, const Long& lEndColor,
                               const Integer& iOrientation);
    static void GetRGBComponents(Long lColor, Integer& iRed, Integer& iGreen, Integer& iBlue);
    // The random test colour: a draw of the shared generator times 100000, rounded.
    static Long randomColour();

  protected:
    // The colour held by the Custom swatch.
    virtual OleColor customColour() = 0;

  private:
    void showGradient(Integer orientation);
    void showLines(Integer mode);
};

} // namespace vx
