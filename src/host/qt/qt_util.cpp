#include "host/qt/qt_util.h"
#include "host/color.h"
#include "host/numeric.h"
#include "host/screen.h"
#include "platform/qt/monitor.h"
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace vx::hostqt {

QColor toQColor(OleColor c) {
    const OleColor rgb = translateColor(c);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QFont toQFont(const StdFont& f, double dpr) {
    QFont q(QString::fromStdString(f.Name));
    // Points at 96 dots per inch, in device pixels, as the classic desktop realises them.
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.Size * 96.0 / 72.0 * dpr))));
    q.setWeight(static_cast<QFont::Weight>(std::clamp<int>(f.Weight, 1, 1000)));
    q.setItalic(f.Italic);
    q.setUnderline(f.Underline);
    q.setStrikeOut(f.Strikethrough);
    q.setHintingPreference(QFont::PreferFullHinting);
    return q;
}

double devicePixelRatio() {
    const QScreen* s = win::qt::monitorUnderTest();
    return s ? s->devicePixelRatio() : 1.0;
}

double twipsPerDevicePixel() {
    return kTwipsPerLogicalPixel / devicePixelRatio();
}

int twipsToLogical(double twips) {
    return static_cast<int>(roundHalfEven(twips / kTwipsPerLogicalPixel));
}

double logicalToTwips(int px) {
    return px * kTwipsPerLogicalPixel;
}

void registerFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* path :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    // Without Wine's Tahoma, a sans face of the same width class stands in.
    if (!QFontDatabase::families().contains("Tahoma"))
        QFont::insertSubstitution("Tahoma", "DejaVu Sans");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
}

QIcon resourceIcon(const std::string& name) {
    const QString path = QString::fromStdString(":/" + name);
    // Told its format and not to guess, the reader uses Qt's own decoder: left to guess, it
    // loads every image format plugin there is (and the JPEG library behind one) to ask each.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace vx::hostqt
