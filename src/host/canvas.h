#pragma once
// The drawing side shared by forms and picture boxes: a persistent image of the client
// area, a scale (twips, pixels or a user rectangle), a text cursor and a font.
#include "host/font.h"
#include "host/vb_types.h"
#include "platform/win_types.h"
#include <memory>

class QWidget;

namespace vx {
class Canvas;
namespace hostqt {
struct CanvasState;
QWidget* containerWidget(Canvas& c);
CanvasState& stateOf(Canvas& c);
} // namespace hostqt

enum ScaleModes : Integer { vbUser = 0, vbTwips = 1, vbPixels = 3 };

class Canvas {
  public:
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    OleColor BackColor() const;
    void setBackColor(OleColor c); // also clears the image
    OleColor ForeColor() const;
    void setForeColor(OleColor c);
    Boolean AutoRedraw() const;
    void setAutoRedraw(Boolean on);
    Boolean FontTransparent() const;
    void setFontTransparent(Boolean on);
    const FontRef& Font() const;
    void setFont(FontRef f);

    void Cls();
    void Refresh();

    Integer ScaleMode() const;
    void setScaleMode(Integer mode);
    void Scale(Single x1, Single y1, Single x2, Single y2);
    void ScaleDefault(); // back to twips
    Single ScaleLeft() const;
    Single ScaleTop() const;
    Single ScaleWidth() const;
    Single ScaleHeight() const;

    Single CurrentX() const;
    void setCurrentX(Single x);
    Single CurrentY() const;
    void setCurrentY(Single y);
    // A filled box from corner to corner in the fill colour (Line ... , BF).
    void LineBF(Single x1, Single y1, Single x2, Single y2, OleColor color);
    // Prints one line at the text cursor and moves the cursor to the next line.
    void Print(const String& text);
    Single TextWidth(const String& text);
    Single TextHeight(const String& text);

    win::HDC hDC();
    win::HWND hWnd();

  protected:
    friend hostqt::CanvasState& hostqt::stateOf(Canvas& c);
    friend QWidget* hostqt::containerWidget(Canvas& c);
    Canvas();
    hostqt::CanvasState& cs() const { return *c_; }
    // Makes sure the drawing surface exists (a form loads itself).
    virtual void needSurface() = 0;
    virtual void backColorSet() {}
    // Called when the widget behind the canvas is about to go.
    void releaseSurface();

  private:
    std::unique_ptr<hostqt::CanvasState> c_;
};

} // namespace vx
