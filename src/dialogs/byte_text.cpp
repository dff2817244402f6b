#include "dialogs/byte_text.h"
#include "dialogs/code_page.h"
#include <algorithm>
#include <string>

namespace vx {

void StringToBytes(std::vector<win::BYTE>& bytes, String& s) {
    if (bytes.empty()) {
        const std::string cp = toCodePage(s);
        bytes.assign(cp.begin(), cp.end());
        return;
    }
    if (s.size() < bytes.size()) s.append(bytes.size() - s.size(), u'\0');
    const std::string cp = toCodePage(s);
    std::copy_n(cp.begin(), std::min(cp.size(), bytes.size()), bytes.begin());
}

String BytesToString(const std::vector<win::BYTE>& bytes) {
    return fromCodePage(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace vx
