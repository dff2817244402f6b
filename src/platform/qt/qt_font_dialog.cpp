#include "platform/qt/qt_dialog_driver.h"
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <algorithm>
#include <array>
#include <cmath>

namespace vx::win::qt {
namespace {

struct NamedColour {
    const char* name;
    COLORREF value;
};
// The sixteen colours the font dialog's colour list offers.
constexpr std::array<NamedColour, 16> kColours = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

// Refuses a size outside the caller's limits, as the limit asks.
class FontDialog : public QFontDialog {
  public:
    FontDialog(QWidget* parent, bool limit, int minSize, int maxSize)
        : QFontDialog(parent), limit_(limit), min_(minSize), max_(maxSize) {}

  protected:
    void done(int result) override {
        if (result == Accepted && limit_) {
            const double size = currentFont().pointSizeF();
            if (size < min_ || size > max_) {
                QMessageBox::warning(
                    this, windowTitle(),
                    tr("Size must be between %1 and %2 points.").arg(min_).arg(max_));
                return;
            }
        }
        QFontDialog::done(result);
    }

  private:
    bool limit_;
    int min_, max_;
};

QGroupBox* effectsGroup(QFontDialog& dlg) {
    const QString title = QFontDialog::tr("Effects");
    for (QGroupBox* g : dlg.findChildren<QGroupBox*>())
        if (g->title() == title) return g;
    return nullptr;
}

QComboBox* addColourList(QGroupBox* effects, COLORREF current) {
    auto* label = new QLabel(QFontDialog::tr("&Color:"), effects);
    auto* combo = new QComboBox(effects);
    combo->setObjectName("colorCombo");
    label->setBuddy(combo);
    for (const NamedColour& c : kColours) {
        QPixmap swatch(16, 12);
        swatch.fill(QColor(c.value & 0xFF, (c.value >> 8) & 0xFF, (c.value >> 16) & 0xFF));
        combo->addItem(QIcon(swatch), QFontDialog::tr(c.name), QVariant::fromValue(c.value));
    }
    int at = combo->findData(QVariant::fromValue(current));
    if (at < 0) {
        combo->addItem(QFontDialog::tr("Custom"), QVariant::fromValue(current));
        at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
    if (QLayout* l = effects->layout()) {
        l->addWidget(label);
        l->addWidget(combo);
    }
    return combo;
}

// The dialog finds a face's style by name; the plain weight-and-slant names ("Normal") are
// not what every family calls its styles ("Book"), so the family's own name is set.
void matchStyleName(QFont& font) {
    QString best;
    for (const QString& style : QFontDatabase::styles(font.family()))
        if (QFontDatabase::italic(font.family(), style) == font.italic() &&
            QFontDatabase::weight(font.family(), style) == font.weight() &&
            (best.isEmpty() || style.size() < best.size()))
            best = style;
    if (!best.isEmpty()) font.setStyleName(best);
}

QFont toQFont(const FontChoice& f) {
    QFont font(QString::fromUtf8(f.face.data(), f.face.size()));
    if (f.tenths > 0) font.setPointSizeF(f.tenths / 10.0);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    matchStyleName(font);
    return font;
}

FontChoice fromQFont(const QFont& font, int dpi) {
    FontChoice f;
    f.face = font.family().toUtf8().toStdString();
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / std::max(dpi, 1);
    f.tenths = static_cast<int>(std::lround(points * 10.0));
    f.weight = font.weight();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    return f;
}

} // namespace

FontReply QtDialogDriver::chooseFont(const FontQuery& q) {
    FontDialog dlg(ownerWidget(q.owner), q.limitSize, q.minSize, q.maxSize);
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (q.fixedPitchOnly) options |= QFontDialog::MonospacedFonts;
    // A printer draws with outline fonts only.
    if (q.scalableOnly || (q.printerFonts && !q.screenFonts)) options |= QFontDialog::ScalableFonts;
    dlg.setOptions(options);
    if (q.hasInitial) dlg.setCurrentFont(toQFont(q.initial));

    QComboBox* colours = nullptr;
    if (QGroupBox* effects = effectsGroup(dlg)) {
        if (q.effects)
            colours = addColourList(effects, q.color);
        else
            effects->hide();
    }

    FontReply r;
    r.confirmed = runModal(dlg);
    if (!r.confirmed) return r;
    r.font = fromQFont(dlg.selectedFont(), logPixelsY());
    r.color = colours ? colours->currentData().value<COLORREF>() : q.color;
    return r;
}

} // namespace vx::win::qt
