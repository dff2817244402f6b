#include "dialogs/filter_list.h"
#include "host/errors.h"
#include <algorithm>

namespace vx {

String filterList(const String& filter) {
    if (filter.size() >= 32767) raiseError(errOverflow);
    String list = filter;
    std::replace_if(
        list.begin(), list.end(), [](char16_t c) { return c == u'|' || c == u':'; }, u'\0');
    list.append(2, u'\0');
    return list;
}

String FilterItem(const String& list, Long n) {
    std::size_t start = 0;
    // No pair has a number below 1; counting down to it from there would only overflow.
    if (list.empty() || n < 1) return {};
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

} // namespace vx
