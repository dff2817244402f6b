#include "host/runtime.h"
#include "host/app_info.h"
#include "host/errors.h"
#include "host/events.h"
#include "host/form.h"
#include "host/qt/qt_util.h"
#include "platform/dialog_driver.h"
#include "platform/qt/close_request.h"
#include "platform/qt/desktop_face.h"
#include "platform/qt/desktop_keyboard.h"
#include "platform/qt/display_check.h"
#include "platform/qt/display_loss.h"
#include "platform/qt/end_signals.h"
#include "platform/qt/font_config_preload.h"
#include "platform/qt/monitor.h"
#include "platform/qt/screen_colormap.h"
#include "platform/qt/session_bus.h"
#include "platform/qt/window_table.h"
#include "platform/single_instance.h"
#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace vx {
namespace {

// Whatever owns a window or another Qt object ends here, before the application object:
// exit handlers would end it after, with the window system gone. The forms go first, with
// their windows, then what they used, the newest first.
void endRuntime() {
    releaseSharedForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    win::setDialogDriver(nullptr);
    win::qt::forgetAllWindows();
    win::setKeyboardSource(nullptr);
    win::qt::setDesktopFace(nullptr);
}

} // namespace

int runProgram(int argc, char** argv, const std::function<void()>& start,
               const std::function<void()>& activate) {
    const std::string platforms = win::qt::preferredPlatforms(argc, argv);
    if (!platforms.empty()) qputenv("QT_QPA_PLATFORM", platforms.c_str());
    // Without a display Qt aborts with a core dump; a plain word and an error code serve better.
    if (const auto missing = win::qt::missingDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return 1;
    }
    std::jthread fontConfig = win::qt::preloadFontConfig();
    QApplication app(argc, argv);
    if (!platforms.empty()) qunsetenv("QT_QPA_PLATFORM"); // not for the programs it starts
    win::qt::meetSessionBusWithoutStartingOne();
    QApplication::setApplicationName(QString::fromStdString(App::Title));
    QApplication::setQuitOnLastWindowClosed(false); // the forms decide when the program ends
    if (activate) {
        switch (win::claimInstance(App::EXEName, [activate] { invokeHandler(activate); })) {
        case win::InstanceStart::First: break;
        case win::InstanceStart::Activated: return 0;
        case win::InstanceStart::Unanswered:
            std::fprintf(stderr,
                         "%s is running on this display but does not answer; not "
                         "starting another copy.\n",
                         App::Title.c_str());
            return 1;
        }
    }
    const win::qt::DisplayLossWatch displayLoss;
    const win::qt::ScreenColormap screenColormap;
    // A request to end from outside (a logout, kill, Ctrl+C) is the main window's close box.
    win::qt::answerEndSignals([] {
        if (QWidget* main = win::qt::mainWindow())
            win::qt::requestClose(main);
        else
            QCoreApplication::exit(0);
    });
    if (fontConfig.joinable()) fontConfig.join();
    hostqt::registerFonts();
    win::setKeyboardSource(win::qt::makeDesktopKeyboard());
    win::qt::chooseDesktopFace();
    setEndWhenNoFormsLeft(true);
    invokeHandler(start);
    // Test hook: an error no handler traps, raised from an event handler after start-up.
    if (const int n = qEnvironmentVariableIntValue("VELOTRIX_TEST_UNTRAPPED_ERROR"))
        QTimer::singleShot(300, [n] { invokeHandler([n] { raiseError(n); }); });
    const int code = QApplication::exec();
    endRuntime();
    return code;
}

} // namespace vx
