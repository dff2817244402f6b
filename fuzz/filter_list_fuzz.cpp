// The file dialogs' filter text: filterList on any filter, FilterItem on any list and index.
#include "dialogs/filter_list.h"
#include "fuzz_input.h"
#include <algorithm>

namespace {

using vx::String;

// Bytes as characters, ASCII as it is (the separators among it), the rest from a few
// awkward units.
String fromBytes(vx::fuzz::Input& in) {
    static constexpr char16_t kHigh[] = {0x0000, u'|',   u':',   0x00E9,
                                         0xD800, 0xDC00, 0xFFFD, 0xFFFF};
    String s;
    while (!in.empty()) {
        const std::uint8_t b = in.byte();
        s += b < 0x80 ? static_cast<char16_t>(b) : kHigh[b & 7];
    }
    return s;
}

void checkItem(const String& list, vx::Long n) {
    String item;
    vx::fuzz::acceptErrors({}, [&] { item = vx::FilterItem(list, n); });
    if (n < 1) FUZZ_CHECK(item.empty());
    if (item.empty()) return;
    // One "name NUL pattern" pair, found in the list and followed there by a NUL.
    FUZZ_CHECK(std::count(item.begin(), item.end(), u'\0') == 1);
    FUZZ_CHECK(list.find(item + u'\0') != String::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::fuzz::Input in(data, size);
    const std::uint8_t mode = in.byte();
    const auto n = in.raw<vx::Long>();
    String filter = (mode & 1) ? in.restAsText() : fromBytes(in);
    if ((mode & 0x1E) == 0x1E && !filter.empty()) {
        const std::size_t target = 32764 + (mode >> 5) % 6; // both sides of the limit
        String longFilter;
        while (longFilter.size() < target) longFilter += filter;
        longFilter.resize(target);
        filter = std::move(longFilter);
    }

    checkItem(filter, n);

    String list;
    if (!vx::fuzz::acceptErrors({vx::errOverflow}, [&] { list = vx::filterList(filter); })) {
        FUZZ_CHECK(filter.size() >= 32767);
        return 0;
    }
    FUZZ_CHECK(filter.size() < 32767);
    FUZZ_CHECK(list.size() == filter.size() + 2);
    FUZZ_CHECK(list[list.size() - 1] == u'\0' && list[list.size() - 2] == u'\0');
    for (std::size_t i = 0; i < filter.size(); ++i) {
        const bool separator = filter[i] == u'|' || filter[i] == u':';
        FUZZ_CHECK(list[i] == (separator ? u'\0' : filter[i]));
    }
    checkItem(list, n);
    // Small indexes walk every pair the list has.
    for (vx::Long k = -1; k <= 3; ++k) checkItem(list, k);
    return 0;
}
