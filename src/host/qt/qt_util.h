#pragma once
// Conversions between the program's units and Qt's.
#include "host/font.h"
#include "host/vb_types.h"
#include <QColor>
#include <QFont>
#include <QIcon>
#include <string>

namespace vx::hostqt {

QColor toQColor(OleColor c); // translates system-colour references
QFont toQFont(const StdFont& f, double devicePixelRatio);
double devicePixelRatio(); // of the monitor under test
double twipsPerDevicePixel();
int twipsToLogical(double twips);
double logicalToTwips(int px);
// Makes "Tahoma" and "Courier New" resolve to the faces installed with the program.
void registerFonts();
// A window icon from the program's resources, by file name.
QIcon resourceIcon(const std::string& name);

} // namespace vx::hostqt
