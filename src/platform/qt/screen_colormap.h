#pragma once
// Qt gives its X windows a colormap of their own even on the screen's own visual. Readers
// of the screen that compose it window by window wherever colormaps differ (xwd -root, and
// screenshot tools built the same way) then take a box's area from the window under it, and
// show a painted box as black. Windows on the root visual use the screen's colormap instead.
#include <QObject>

namespace vx::win::qt {

// Puts every window the program creates on the screen's colormap while it lives; it must
// end before the application object. Does nothing off X11.
class ScreenColormap : public QObject {
  public:
    ScreenColormap();
    ~ScreenColormap() override;
    ScreenColormap(const ScreenColormap&) = delete;
    ScreenColormap& operator=(const ScreenColormap&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vx::win::qt
