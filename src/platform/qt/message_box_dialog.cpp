#include "platform/qt/message_box_dialog.h"
#include <QBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace vx::win::qt {
namespace {

constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kMaxMessageWidth = 520;

Qt::WindowFlags windowFlagsFor(bool topmost, bool closable) {
    Qt::WindowFlags f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::MSWindowsFixedSizeDialogHint;
    if (closable) f |= Qt::WindowCloseButtonHint;
    if (topmost) f |= Qt::WindowStaysOnTopHint;
    return f;
}

// The character after a single "&" in a button text, or 0.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return text[i + 1];
        ++i; // "&&" is a plain ampersand
    }
    return {};
}

} // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* owner, bool topmost, int escapeResult)
    : QDialog(owner, windowFlagsFor(topmost, escapeResult != 0)), escapeResult_(escapeResult) {
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(16, 16, 16, 12);
    outer->setSpacing(16);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    outer->addLayout(top);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addStretch();
    row->addStretch();
    outer->addLayout(row);
}

void MessageBoxDialog::setIcon(QLabel* icon) {
    icon_ = icon;
    auto* top = static_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    top->insertWidget(0, icon, 0, Qt::AlignTop);
}

void MessageBoxDialog::setMessage(QLabel* message) {
    message_ = message;
    auto* top = static_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    top->addWidget(message, 1, Qt::AlignVCenter);
}

void MessageBoxDialog::addButton(QPushButton* button, int id, bool help) {
    buttons_.push_back(button);
    button->setMinimumSize(kButtonWidth, kButtonHeight);
    auto* row = static_cast<QBoxLayout*>(layout()->itemAt(1)->layout());
    row->insertWidget(row->count() - 1, button);
    if (!help) connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
}

void MessageBoxDialog::setDefaultButton(std::size_t index) {
    if (buttons_.empty()) return;
    QPushButton* b = buttons_[index < buttons_.size() ? index : 0];
    b->setDefault(true);
    b->setFocus();
}

void MessageBoxDialog::arrange() {
    if (!message_) return;
    // Short messages keep their lines; long lines wrap at a width that suits the screen.
    int maxWidth = kMaxMessageWidth;
    if (const QScreen* s = screen())
        maxWidth = std::min(maxWidth, s->availableGeometry().width() * 5 / 8);
    const QFontMetrics fm = message_->fontMetrics();
    const QString text = message_->text();
    const int natural =
        fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextExpandTabs, text).width();
    const int width = std::max(1, std::min(natural, maxWidth)) + 2;
    const int height =
        fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::TextExpandTabs, text)
            .height();
    message_->setWordWrap(true);
    message_->setFixedSize(width, std::max(height, fm.height()));
}

void MessageBoxDialog::reject() {
    if (escapeResult_ != 0) done(escapeResult_);
}

void MessageBoxDialog::keyPressEvent(QKeyEvent* e) {
    // As in the system's boxes, a button's mnemonic letter presses it without Alt.
    const QString key = e->text();
    if (key.size() == 1 && key[0].isLetterOrNumber() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        for (QPushButton* b : buttons_) {
            const QChar m = mnemonicOf(b->text());
            if (!m.isNull() && m.toCaseFolded() == key[0].toCaseFolded()) {
                b->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(e);
}

} // namespace vx::win::qt
