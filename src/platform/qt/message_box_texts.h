#pragma once
// The captions the message box gives its buttons: the system's, in its display language.
#include <QString>

namespace vx::win::qt {

struct MessageBoxButtonTexts {
    QString ok = QStringLiteral("OK");
    QString cancel = QStringLiteral("Cancel");
    QString abort = QStringLiteral("&Abort");
    QString retry = QStringLiteral("&Retry");
    QString ignore = QStringLiteral("&Ignore");
    QString yes = QStringLiteral("&Yes");
    QString no = QStringLiteral("&No");
    QString tryAgain = QStringLiteral("&Try Again");
    QString continueText = QStringLiteral("&Continue");
    QString help = QStringLiteral("Help");
};

const MessageBoxButtonTexts& messageBoxButtonTexts();
// Boxes opened afterwards use these captions (another display language, or a test's).
void setMessageBoxButtonTexts(const MessageBoxButtonTexts& texts);

} // namespace vx::win::qt
