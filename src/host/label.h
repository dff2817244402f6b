#pragma once
// A plain label: a caption in a font and colour, left, right or centre aligned, wrapped
// at word boundaries, over its back colour or over its container.
#include "host/control.h"
#include "host/font.h"

namespace vx {

enum AlignmentConstants : Integer { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

class Label : public Control {
  public:
    Label();
    ~Label() override;
    const String& Caption() const { return caption_; }
    void setCaption(const String& c);
    Integer Alignment() const { return alignment_; }
    void setAlignment(Integer a);
    Integer BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void setBackStyle(Integer s);
    OleColor BackColor() const { return back_; }
    void setBackColor(OleColor c);
    OleColor ForeColor() const { return fore_; }
    void setForeColor(OleColor c);
    const FontRef& Font() const { return font_; }
    void setFont(FontRef f);

  protected:
    QWidget* makeWidget(QWidget* parent) override;
    bool setOwnProperty(std::string_view lowerName, const Value& v) override;

  private:
    void repaint();
    String caption_;
    Integer alignment_ = vbLeftJustify;
    Integer backStyle_ = 1;
    OleColor back_ = 0x8000000F;
    OleColor fore_ = 0x80000012;
    FontRef font_ = StdFont::make("Tahoma", 8.25);
};

} // namespace vx
