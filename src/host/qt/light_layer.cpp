#include "host/qt/light_layer.h"

namespace vx::hostqt {
namespace {
QRect shown(const LightLayer::Box& b) {
    return b.visible ? b.rect : QRect();
}
} // namespace

std::deque<LightLayer::Box>::iterator LightLayer::locate(const LightChild* c) {
    for (std::size_t i = 0, n = boxes_.size(); i < (n + 1) / 2; ++i) {
        if (boxes_[n - 1 - i].child == c) return boxes_.begin() + static_cast<long>(n - 1 - i);
        if (boxes_[i].child == c) return boxes_.begin() + static_cast<long>(i);
    }
    return boxes_.end();
}

const LightLayer::Box* LightLayer::find(const LightChild* c) const {
    const auto it = const_cast<LightLayer*>(this)->locate(c);
    return it == boxes_.end() ? nullptr : &*it;
}

void LightLayer::addBottom(LightChild* c) {
    boxes_.push_front(Box{c, QRect(), 0, false});
}

QRect LightLayer::remove(const LightChild* c) {
    const auto it = locate(c);
    if (it == boxes_.end()) return {};
    const QRect was = shown(*it);
    boxes_.erase(it);
    return was;
}

QRect LightLayer::set(const LightChild* c, const QRect& rect, QRgb colour, bool visible) {
    const auto it = locate(c);
    if (it == boxes_.end()) return {};
    const Box before = *it;
    it->rect = rect;
    it->colour = colour;
    it->visible = visible;
    if (shown(before) == shown(*it) && (before.colour == colour || !visible)) return {};
    return shown(before).united(shown(*it));
}

QRect LightLayer::raise(const LightChild* c) {
    return restack(c, true);
}

QRect LightLayer::lower(const LightChild* c) {
    return restack(c, false);
}

QRect LightLayer::restack(const LightChild* c, bool toFront) {
    const auto it = locate(c);
    if (it == boxes_.end()) return {};
    const Box b = *it;
    boxes_.erase(it);
    if (toFront)
        boxes_.push_back(b);
    else
        boxes_.push_front(b);
    return shown(b);
}

LightChild* LightLayer::at(const QPoint& p) const {
    for (auto it = boxes_.rbegin(); it != boxes_.rend(); ++it)
        if (it->visible && it->rect.contains(p)) return it->child;
    return nullptr;
}

std::vector<LightChild*> LightLayer::takeAll() {
    std::vector<LightChild*> out;
    out.reserve(boxes_.size());
    for (const Box& b : boxes_) out.push_back(b.child);
    boxes_.clear();
    return out;
}

} // namespace vx::hostqt
