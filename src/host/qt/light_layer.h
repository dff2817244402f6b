#pragma once
// The light children of one surface in stacking order, bottom first: where each is, in the
// surface's logical coordinates, its colour and whether it shows. Children are found from
// both ends, where run-time controls are added, raised and removed.
#include "host/qt/light_child.h"
#include <QColor>
#include <QRect>
#include <deque>
#include <vector>

namespace vx::hostqt {

class LightLayer {
  public:
    struct Box {
        LightChild* child;
        QRect rect;
        QRgb colour = 0;
        bool visible = false;
    };

    bool empty() const { return boxes_.empty(); }
    const std::deque<Box>& boxes() const { return boxes_; }
    const Box* find(const LightChild* c) const;

    // Each returns the area that looks different afterwards (empty when none).
    void addBottom(LightChild* c);
    QRect remove(const LightChild* c);
    QRect set(const LightChild* c, const QRect& rect, QRgb colour, bool visible);
    QRect raise(const LightChild* c);
    QRect lower(const LightChild* c);

    // The topmost shown child at a point, or null.
    LightChild* at(const QPoint& p) const;
    // Empties the layer; the children bottom first.
    std::vector<LightChild*> takeAll();

  private:
    std::deque<Box>::iterator locate(const LightChild* c);
    // Moves a box to the front or the back; the area it shows, to repaint.
    QRect restack(const LightChild* c, bool toFront);
    std::deque<Box> boxes_;
};

} // namespace vx::hostqt
