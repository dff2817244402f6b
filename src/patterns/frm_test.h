#pragma once
// The full-screen test window every pattern is shown on: borderless, covering the screen,
// black, and reasserted as the topmost, foreground window once a second. A resting pointer
// hides over it.
#include "host/form.h"
#include "host/timer.h"

namespace vx {

class frmTest : public Form {
  public:
    frmTest();
    Timer Timer1;

  protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Click() override;

  private:
    void Timer1_Timer();
};

} // namespace vx
