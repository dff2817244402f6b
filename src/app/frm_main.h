#pragma once
// The control window: palette, menu labels, key legend, ticker line; its first timer tick
// starts the key loop that drives the test patterns from the global keyboard.
#include "controls/t_button.h"
#include "controls/t_label.h"
#include "host/form.h"
#include "host/label.h"
#include "host/picture_box.h"
#include "host/timer.h"
#include "patterns/test_patterns.h"
#include <array>

namespace vx {

class frmMain : public Form, public TestPatterns {
  public:
    frmMain();

    // The key loop runs while this is True (-1).
    Boolean bKeyLoop = vbFalse;
    // True while the ticker shows its English line.
    Boolean bTickerEnglish = vbFalse;

    Timer Timer2;
    tLabel lbHEHE;
    tButton btPick;
    PictureBox Picture9, Picture8, Picture7, Picture6, Picture5, Picture4, Picture3, Picture2,
        Picture1;
    Timer Timer1;
    PictureBox PicBack;
    tLabel lbCop, tLabel12;
    Label lbTitle;
    Label lbRan, Label20, lbHL, lbVL, lbHG, lbVG;
    Label lbScale; // shown only where the desktop resamples the patterns
    Label Label15, Label14, Label13, Label12, Label11, Label10, Label9, Label8, Label7, Label6,
        Label5, Label4, Label1, Label3, Label2;

    // The key loop (the first tick of Timer1).
    void Timer1_Timer();
    // Which row of the key table passes now: 1 to 16, 0 for none. Rows below a passing row
    // are not queried.
    static int matchKeyRow();
    void runKeyRow(int row);

    void stPicCol();
    void UpdateStatus(PictureBox& target, const String& text);

    // The hand cursor, over the swatches, the menu labels and the ticker line.
    void sethand();
    // Picks the custom colour with the colour chooser.
    void btPick_Click();

    // The ticker: switches between its Vietnamese and English lines.
    void Timer2_Timer();
    void lbHEHE_Click();
    void lbHEHE_MouseMove(Integer& Button, Integer& Shift, Single& x, Single& y);

    // Where the desktop resamples what the program draws on the monitor under test, the
    // control window says so, with the scale and what to do, and one line goes to standard
    // error; the words go again when the pixels are exact.
    void tellResampling();

    // The about box, then the screen effect; the website in the default browser.
    void about();
    void opw();
    void tLabel12_Click();

  protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload(Integer& Cancel) override;
    OleColor customColour() override { return Picture9.BackColor(); }

  private:
    int iResampledPercent = 0; // what lbScale says now; 0 while it is hidden
    void WhenLoad();
    void sdesk();
    std::array<PictureBox*, 9> swatches();
};

} // namespace vx
