// The private routines of cCommonDialog that work on text.
#include "dialogs/c_common_dialog.h"
#include "dialogs/code_page.h"
#include "platform/memory.h"

namespace vx {

String cCommonDialog::StripAtNull(const std::string& s) {
    // The string's own terminator bounds the count when s holds no NUL.
    return fromCodePage(std::string_view(s.data(), win::lstrlenA(s.c_str())));
}

} // namespace vx
