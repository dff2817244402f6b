#include "platform/shell.h"
#include <QDesktopServices>
#include <QUrl>

namespace vx::win {
namespace {
ShellOpener& opener() {
    static ShellOpener o;
    return o;
}
bool openWithDesktop(const std::string& file) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(file)));
}
} // namespace

void setShellOpener(ShellOpener o) {
    opener() = std::move(o);
}

HINSTANCE ShellExecuteA(HWND, const char* lpOperation, const char* lpFile, const char*, const char*,
                        int) {
    if (!lpFile || !*lpFile) return ERROR_FILE_NOT_FOUND;
    const std::string verb = lpOperation ? lpOperation : "";
    if (!verb.empty() && verb != "open") return SE_ERR_NOASSOC;
    const bool ok = opener() ? opener()(lpFile) : openWithDesktop(lpFile);
    return ok ? 42 : SE_ERR_NOASSOC;
}

} // namespace vx::win
