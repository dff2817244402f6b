#include "platform/message_box.h"
#include "platform/hooks.h"
#include "platform/modal.h"
#include "platform/qt/cbt_hooks.h"
#include "platform/qt/message_box_dialog.h"
#include "platform/qt/message_box_texts.h"
#include "platform/qt/window_table.h"
#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QThread>
#include <vector>

namespace vx::win {
namespace {

constexpr int IDHELP = 9;

struct BoxButton {
    int id;
    QString text;
};

// The buttons of a button set, in the system's order; empty for an unknown set.
std::vector<BoxButton> buttonsFor(UINT type) {
    const qt::MessageBoxButtonTexts& t = qt::messageBoxButtonTexts();
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, t.ok}};
    case MB_OKCANCEL: return {{IDOK, t.ok}, {IDCANCEL, t.cancel}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, t.abort}, {IDRETRY, t.retry}, {IDIGNORE, t.ignore}};
    case MB_YESNOCANCEL: return {{IDYES, t.yes}, {IDNO, t.no}, {IDCANCEL, t.cancel}};
    case MB_YESNO: return {{IDYES, t.yes}, {IDNO, t.no}};
    case MB_RETRYCANCEL: return {{IDRETRY, t.retry}, {IDCANCEL, t.cancel}};
    case MB_CANCELTRYCONTINUE:
        return {{IDCANCEL, t.cancel}, {IDTRYAGAIN, t.tryAgain}, {IDCONTINUE, t.continueText}};
    default: return {};
    }
}

// What the close box and Escape answer: Cancel when there is one, OK when it is alone.
int escapeResultFor(const std::vector<BoxButton>& buttons) {
    for (const BoxButton& b : buttons)
        if (b.id == IDCANCEL) return IDCANCEL;
    return buttons.size() == 1 && buttons.front().id == IDOK ? IDOK : 0;
}

// The standard icon of the flags, or none.
bool iconFor(UINT type, QStyle::StandardPixmap& icon) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: icon = QStyle::SP_MessageBoxCritical; return true;
    case MB_ICONQUESTION: icon = QStyle::SP_MessageBoxQuestion; return true;
    case MB_ICONEXCLAMATION: icon = QStyle::SP_MessageBoxWarning; return true;
    case MB_ICONASTERISK: icon = QStyle::SP_MessageBoxInformation; return true;
    default: return false;
    }
}

QWidget* ownerWindow(HWND hWnd) {
    QWidget* w = qt::widgetFromHandle(hWnd);
    return w ? w->window() : nullptr;
}

} // namespace

int MessageBoxW(HWND hWnd, const char16_t* lpText, const char16_t* lpCaption, UINT uType) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread()) return 0;
    std::vector<BoxButton> buttons = buttonsFor(uType);
    if (buttons.empty()) return 0;
    const int escapeResult = escapeResultFor(buttons);
    if (uType & MB_HELP) buttons.push_back({IDHELP, qt::messageBoxButtonTexts().help});

    // The owner may die while the box is open, taking the box with it.
    QPointer<qt::MessageBoxDialog> box =
        new qt::MessageBoxDialog(ownerWindow(hWnd), (uType & MB_TOPMOST) != 0, escapeResult);
    struct Cleanup {
        QPointer<qt::MessageBoxDialog>& box;
        ~Cleanup() { delete box.data(); }
    } cleanup{box};

    // Registers a new window of the box and tells the CBT hooks; false when a hook refuses it.
    const auto created = [&box](QWidget* w, const char* className) {
        const HWND h = qt::registerWindow(w, className);
        return qt::callCbtHooks(HCBT_CREATEWND, h, 0) == 0 && box;
    };
    box->setWindowTitle(lpCaption ? QString::fromUtf16(lpCaption) : QStringLiteral("Error"));
    if (!created(box, "#32770")) return 0;

    QStyle::StandardPixmap standardIcon;
    if (iconFor(uType, standardIcon)) {
        auto* icon = new QLabel(box);
        const int size = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
        icon->setPixmap(box->style()->standardIcon(standardIcon, nullptr, box).pixmap(size, size));
        box->setIcon(icon);
        if (!created(icon, "Static")) return 0;
    }
    auto* message = new QLabel(box);
    message->setTextFormat(Qt::PlainText);
    message->setText(lpText ? QString::fromUtf16(lpText) : QString());
    box->setMessage(message);
    if (!created(message, "Static")) return 0;
    for (const BoxButton& def : buttons) {
        auto* button = new QPushButton(def.text, box);
        box->addButton(button, def.id, def.id == IDHELP);
        if (!created(button, "Button")) return 0;
    }
    box->setDefaultButton((uType & MB_DEFMASK) >> 8);

    const bool activate = qt::callCbtHooks(HCBT_ACTIVATE, qt::handleOfWidget(box), 0) == 0;
    if (!box) return 0;
    const ModalScope modal;
    box->arrange();
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    if (activate) {
        box->raise();
        box->activateWindow();
    }
    const int result = box->exec();
    return box ? result : 0;
}

} // namespace vx::win
