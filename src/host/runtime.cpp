#include "host/runtime.h"
#include "host/app_info.h"
#include "host/events.h"
#include "host/qt/qt_util.h"
#include "platform/qt/desktop_keyboard.h"
#include <QApplication>

namespace vx {

int runProgram(int argc, char** argv, const std::function<void()>& start) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(App::Title));
    QApplication::setQuitOnLastWindowClosed(false); // the forms decide when the program ends
    hostqt::registerFonts();
    win::setKeyboardSource(win::qt::makeDesktopKeyboard());
    setEndWhenNoFormsLeft(true);
    invokeHandler(start);
    return QApplication::exec();
}

} // namespace vx
