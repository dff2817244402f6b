#include "app/desktop_notice.h"
#include "host/app_info.h"
#include "host/notice.h"
#include "platform/desktop.h"
#include "platform/keyboard.h"

namespace vx {
namespace {

win::HWND gNotice = 0;

String keyScopeText() {
    switch (win::keyboardSource().scope()) {
    case win::KeyScope::Global: return {};
    case win::KeyScope::XClients:
        return u"On this Wayland desktop Velotrix reads the keyboard through X11 (XWayland), "
               u"which sees the keys only while a window of an X11 program has the focus.\n\n"
               u"The pattern keys work while a window of an X11 program, such as Velotrix's own "
               u"control window or test pattern, has the focus; the mouse works as usual.";
    case win::KeyScope::OwnWindows: break;
    }
    return u"This desktop does not let Velotrix read the keyboard while other programs have "
           u"the focus.\n\nThe pattern keys work while a Velotrix window (the control window or "
           u"a test pattern) has the focus; the mouse works as usual.";
}

String pictureText(win::ScreenPictureProblem problem) {
    const String does = u"T (the screen effect) does nothing here: ";
    switch (problem) {
    case win::ScreenPictureProblem::NoProblem: break;
    case win::ScreenPictureProblem::NoService:
        return does + u"this desktop offers no screenshot service (the desktop portal's "
                      u"Screenshot interface) through which Velotrix could picture the screen.";
    case win::ScreenPictureProblem::Refused:
        return does + u"the desktop declined Velotrix's request for a picture of the screen.";
    case win::ScreenPictureProblem::NoAnswer:
        return does + u"the desktop's screenshot service did not answer in time.";
    case win::ScreenPictureProblem::Unreadable:
        return does + u"the picture the desktop's screenshot service gave could not be read.";
    }
    return {};
}

win::HWND tell(const String& text) {
    if (gNotice && setNoticeText(gNotice, text)) return gNotice;
    const String title(App::Title.begin(), App::Title.end());
    gNotice = showNotice(title, text);
    return gNotice;
}

} // namespace

win::HWND tellKeyScopeOnce() {
    static bool told = false;
    const String keys = keyScopeText();
    if (told || keys.empty()) return 0;
    told = true;
    return tell(keys);
}

win::HWND tellNoScreenPictureOnce() {
    static bool told = false;
    const String why = pictureText(win::screenPictureProblem());
    if (told || why.empty()) return 0;
    told = true;
    const String keys = keyScopeText();
    return tell(keys.empty() ? why : keys + u"\n\n" + why);
}

} // namespace vx
