#include "host/label.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/numeric.h"
#include "host/qt/event_sink.h"
#include "host/qt/qt_util.h"
#include "host/qt/surface_widget.h"
#include "host/screen.h"
#include "platform/qt/window_table.h"
#include <QMouseEvent>
#include <QPainter>

namespace vx {
namespace {

class LabelWidget : public QWidget {
  public:
    LabelWidget(Label& owner, QWidget* parent) : QWidget(parent), owner_(&owner) {
        setMouseTracking(true);
    }
    void orphan() { owner_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_) return;
        QPainter p(this);
        if (owner_->BackStyle() == 1) p.fillRect(rect(), hostqt::toQColor(owner_->BackColor()));
        p.setFont(hostqt::toQFont(*owner_->Font(), 1.0));
        p.setPen(hostqt::toQColor(owner_->ForeColor()));
        const int align = owner_->Alignment() == vbCenter         ? Qt::AlignHCenter
                          : owner_->Alignment() == vbRightJustify ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
        p.drawText(rect(), align | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdU16String(owner_->Caption()));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) pressed_ = true;
        mouse(owner_ ? owner_->onMouseDown : nullptr, hostqt::buttonMask(e->button()), e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        mouse(owner_ ? owner_->onMouseMove : nullptr, hostqt::buttonMask(e->buttons()), e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool click = e->button() == Qt::LeftButton && pressed_ && rect().contains(e->pos());
        if (e->button() == Qt::LeftButton) pressed_ = false;
        mouse(owner_ ? owner_->onMouseUp : nullptr, hostqt::buttonMask(e->button()), e);
        if (click && owner_)
            if (auto h = owner_->onClick) invokeHandler(h);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (owner_)
            if (auto h = owner_->onDblClick) invokeHandler(h);
    }

  private:
    void mouse(Control::MouseHandler h, int buttons, QMouseEvent* e) {
        if (!h) return;
        const double tw = kTwipsPerLogicalPixel;
        invokeHandler([&] {
            h(static_cast<Integer>(buttons),
              static_cast<Integer>(hostqt::shiftMask(e->modifiers())),
              static_cast<Single>(e->position().x() * tw),
              static_cast<Single>(e->position().y() * tw));
        });
    }
    Label* owner_;
    bool pressed_ = false;
};

} // namespace

Label::Label() = default;
Label::~Label() {
    if (auto* w = static_cast<LabelWidget*>(widgetPtr())) w->orphan();
}

QWidget* Label::makeWidget(QWidget* parent) {
    auto* w = new LabelWidget(*this, parent);
    win::qt::registerWindow(w, "ThunderRT6Label");
    return w;
}

void Label::repaint() {
    if (QWidget* w = widgetPtr()) w->update();
}

void Label::setCaption(const String& c) {
    caption_ = c;
    repaint();
}
void Label::setAlignment(Integer a) {
    if (a < 0 || a > 2) raiseError(errInvalidProperty);
    alignment_ = a;
    repaint();
}
void Label::setBackStyle(Integer s) {
    if (s != 0 && s != 1) raiseError(errInvalidProperty);
    backStyle_ = s;
    repaint();
}
void Label::setBackColor(OleColor c) {
    back_ = c;
    repaint();
}
void Label::setForeColor(OleColor c) {
    fore_ = c;
    repaint();
}
void Label::setFont(FontRef f) {
    if (!f) raiseError(errInvalidProperty);
    font_ = std::move(f);
    repaint();
}

bool Label::setOwnProperty(std::string_view n, const Value& v) {
    if (n == "caption")
        setCaption(text(v));
    else if (n == "alignment")
        setAlignment(CInt(number(v)));
    else if (n == "backstyle")
        setBackStyle(CInt(number(v)));
    else if (n == "backcolor")
        setBackColor(static_cast<OleColor>(static_cast<long long>(number(v))));
    else if (n == "forecolor")
        setForeColor(static_cast<OleColor>(static_cast<long long>(number(v))));
    else
        return false;
    return true;
}

} // namespace vx
