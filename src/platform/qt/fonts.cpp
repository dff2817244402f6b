#include "platform/fonts.h"
#include "platform/qt/font_table.h"
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vx::win {
namespace {

QFont::StyleHint styleHintOf(DWORD pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::Monospace;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

// A positive height asks for the cell (ascent plus descent), which Qt cannot set directly:
// scale the character height by what the face actually gives.
void setCellHeight(QFont& font, int cellHeight) {
    font.setPixelSize(cellHeight);
    const qreal cell = QFontMetricsF(font).height();
    if (cell > 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(cellHeight * cellHeight / cell))));
}

} // namespace

HFONT CreateFontA(int cHeight, int cWidth, int, int, int cWeight, DWORD bItalic, DWORD bUnderline,
                  DWORD bStrikeOut, DWORD, DWORD, DWORD, DWORD iQuality, DWORD iPitchAndFamily,
                  const char* pszFaceName) {
    if (!QGuiApplication::instance() || cWeight < 0 || cWeight > 1000 || cWidth < 0) return 0;
    QFont font = QGuiApplication::font();
    font.setStyleHint(styleHintOf(iPitchAndFamily));
    if (pszFaceName && *pszFaceName) font.setFamily(QString::fromUtf8(pszFaceName));
    if (cHeight > 0)
        setCellHeight(font, cHeight);
    else if (cHeight < 0)
        font.setPixelSize(std::abs(cHeight));
    if (cWeight != FW_DONTCARE)
        font.setWeight(static_cast<QFont::Weight>(cWeight));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(bItalic != 0);
    font.setUnderline(bUnderline != 0);
    font.setStrikeOut(bStrikeOut != 0);
    font.setFixedPitch((iPitchAndFamily & 0x3) == FIXED_PITCH);
    if (iQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    else if (iQuality == ANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::PreferAntialias);
    if (cWidth > 0) {
        // The average character width as a stretch of the face's own.
        const qreal natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100 * cWidth / natural)), 1, 4000));
    }
    return qt::addFont(font);
}

BOOL DeleteObject(HANDLE ho) {
    return qt::removeFont(ho) ? TRUE_ : FALSE_;
}

} // namespace vx::win
