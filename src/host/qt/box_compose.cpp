#include "host/qt/box_compose.h"
#include <algorithm>
#include <cstring>

namespace vx::hostqt {
namespace {

struct Span {
    int x0, x1; // [x0, x1) relative to the area
    QRgb colour;
};

// One row of the area: the base picture, then the spans.
void paintRow(QRgb* row, const QRect& area, int y, const QImage& base, QRgb baseFill,
              const std::vector<Span>& spans) {
    const int w = area.width();
    int fromBase = 0;
    if (!base.isNull() && y < base.height() && area.x() < base.width()) {
        fromBase = std::min(w, base.width() - area.x());
        std::memcpy(row, reinterpret_cast<const QRgb*>(base.constScanLine(y)) + area.x(),
                    static_cast<size_t>(fromBase) * sizeof(QRgb));
    }
    std::fill(row + fromBase, row + w, baseFill);
    for (const Span& s : spans) std::fill(row + s.x0, row + s.x1, s.colour);
}

} // namespace

void composeBoxes(QImage& out, const QRect& area, const QImage& base, QRgb baseFill,
                  const std::vector<SolidBox>& boxes) {
    const QRect a = area.intersected(out.rect());
    if (a.isEmpty()) return;
    std::vector<QRect> clipped;
    std::vector<int> edges{a.top(), a.bottom() + 1};
    clipped.reserve(boxes.size());
    for (const SolidBox& b : boxes) {
        clipped.push_back(b.rect.intersected(a));
        if (clipped.back().isEmpty()) continue;
        edges.push_back(clipped.back().top());
        edges.push_back(clipped.back().bottom() + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const bool plainBase = base.isNull();
    std::vector<Span> spans;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        const int y0 = edges[e], y1 = edges[e + 1];
        spans.clear();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const QRect& r = clipped[i];
            if (!r.isEmpty() && r.top() <= y0 && r.bottom() >= y1 - 1)
                spans.push_back({r.left() - a.left(), r.right() + 1 - a.left(), boxes[i].colour});
        }
        auto* first = reinterpret_cast<QRgb*>(out.scanLine(y0)) + a.left();
        paintRow(first, a, y0, base, baseFill, spans);
        for (int y = y0 + 1; y < y1; ++y) {
            auto* row = reinterpret_cast<QRgb*>(out.scanLine(y)) + a.left();
            if (plainBase)
                std::memcpy(row, first, static_cast<size_t>(a.width()) * sizeof(QRgb));
            else
                paintRow(row, a, y, base, baseFill, spans);
        }
    }
}

} // namespace vx::hostqt
