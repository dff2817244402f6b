#include "app/key_scope_notice.h"
#include "host/app_info.h"
#include "host/notice.h"
#include "platform/keyboard.h"

namespace vx {

win::HWND tellKeyScopeOnce() {
    static bool told = false;
    const win::KeyScope scope = win::keyboardSource().scope();
    if (told || scope == win::KeyScope::Global) return 0;
    told = true;
    const String title(App::Title.begin(), App::Title.end());
    if (scope == win::KeyScope::XClients)
        return showNotice(title, u"On this Wayland desktop Velotrix reads the keyboard through "
                                 u"X11 (XWayland), which sees the keys only while a window of an "
                                 u"X11 program has the focus.\n\nThe pattern keys work while a "
                                 u"window of an X11 program, such as Velotrix's own control "
                                 u"window or test pattern, has the focus; the mouse works as "
                                 u"usual.");
    return showNotice(title, u"This desktop does not let Velotrix read the keyboard while "
                             u"other programs have the focus.\n\nThe pattern keys work while a "
                             u"Velotrix window (the control window or a test pattern) has the "
                             u"focus; the mouse works as usual.");
}

} // namespace vx
