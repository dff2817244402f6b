#pragma once
// Solid boxes painted over a picture in one pass, row band by row band: the rows between two
// box edges look alike, so one row is painted and copied to the others.
#include <QImage>
#include <QRect>
#include <vector>

namespace vx::hostqt {

struct SolidBox {
    QRect rect; // device pixels
    QRgb colour;
};

// Writes `area` of `out` (Format_RGB32): `base` where it has pixels, `baseFill` elsewhere,
// and the boxes over it, the last on top. `base` may be null or of another size.
void composeBoxes(QImage& out, const QRect& area, const QImage& base, QRgb baseFill,
                  const std::vector<SolidBox>& boxes);

} // namespace vx::hostqt
