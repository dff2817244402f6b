#pragma once
// The screen effect: a picture of the whole screen laid over it in a borderless window,
// then random 128 x 128 blocks of it copied onto themselves shifted by at most one pixel,
// until a mouse button is pressed on the window.
#include "host/form.h"
#include "platform/win_types.h"

namespace vx {

class frmEff : public Form {
  public:
    frmEff();

    win::HDC hScreenDC = 0; // the whole screen, held while the effect runs
    Boolean bRunning = vbFalse;
    Integer iJitterX = 0; // span of the horizontal shift
    Integer iJitterY = 0;
    Integer iShiftX = 0; // subtracted from the horizontal shift
    Integer iShiftY = 0;
    Integer iBlockW = 0; // size of a moved block, pixels
    Integer iBlockH = 0;

    // Runs the effect on the shared instance until it is ended, then unloads the window and
    // lets go of the shared instance, so that the next run starts on a fresh one. Where the
    // desktop gives no picture of the screen it shows nothing and returns at once
    // (win::screenPictureProblem says why).
    void doeffect();

  protected:
    void Form_Load() override;
    void Form_Click() override;
    void Form_MouseDown(Integer Button, Integer Shift, Single X, Single Y) override;
    // Unloading the window from elsewhere (the main window closing) ends the effect too.
    void Form_Unload(Integer& Cancel) override;
};

// True while an effect runs on the shared effect window.
bool EffectRunning();

} // namespace vx
