// The private routines of cCommonDialog that work on text and byte arrays.
#include "dialogs/c_common_dialog.h"
#include "dialogs/code_page.h"
#include "platform/memory.h"
#include <algorithm>

namespace vx {

String cCommonDialog::StripAtNull(const std::string& s) {
    // The string's own terminator bounds the count when s holds no NUL.
    return fromCodePage(std::string_view(s.data(), win::lstrlenA(s.c_str())));
}

String cCommonDialog::FilterItem(const String& list, Long n) {
    std::size_t start = 0;
    if (list.empty()) return {};
    for (;;) {
        const std::size_t p1 = list.find(u'\0', start);
        if (p1 == String::npos) return {};
        const std::size_t p2 = list.find(u'\0', p1 + 1);
        if (p2 == String::npos) return {};
        if (n == 1) return list.substr(start, p2 - start);
        // Every pass moves past a pair, so an n outside the list ends at its last NUL.
        start = p2 + 1;
        --n;
    }
}

void cCommonDialog::StringToBytes(std::vector<win::BYTE>& bytes, String& s) {
    if (IsArrayEmpty(bytes)) {
        const std::string cp = toCodePage(s);
        bytes.assign(cp.begin(), cp.end());
        return;
    }
    if (s.size() < bytes.size()) s.append(bytes.size() - s.size(), u'\0');
    const std::string cp = toCodePage(s);
    std::copy_n(cp.begin(), std::min(cp.size(), bytes.size()), bytes.begin());
}

String cCommonDialog::BytesToString(const std::vector<win::BYTE>& bytes) {
    return fromCodePage(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool cCommonDialog::IsArrayEmpty(const std::vector<win::BYTE>& bytes) {
    return bytes.empty();
}

} // namespace vx
