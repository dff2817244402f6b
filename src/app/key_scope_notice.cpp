#include "app/key_scope_notice.h"
#include "host/app_info.h"
#include "host/notice.h"
#include "platform/keyboard.h"

namespace vx {

win::HWND tellKeyScopeOnce() {
    static bool told = false;
    if (told || win::keyboardSource().global()) return 0;
    told = true;
    const String title(App::Title.begin(), App::Title.end());
    return showNotice(title, u"This desktop does not let Velotrix read the keyboard while "
                             u"other programs have the focus.\n\nThe pattern keys work while a "
                             u"Velotrix window (the control window or a test pattern) has the "
                             u"focus; the mouse works as usual.");
}

} // namespace vx
