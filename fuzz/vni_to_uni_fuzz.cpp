// VniToUni on any text: it converts in place and returns the same text, only ever merges a
// letter with the mark after it, and refuses texts of 32,767 characters or more with
// Overflow before changing them.
#include "fuzz_input.h"
#include "text/vni_to_uni.h"

namespace {

using vx::String;

// Characters no conversion can produce, consume or stand for: they come out in order.
bool untouched(char16_t c) {
    const bool asciiLetterOrDigit =
        (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    return c < 0x80 ? !asciiLetterOrDigit : c < 0xC0 || (c > 0x01B0 && c < 0x1EA0) || c > 0x1EF9;
}

String untouchedPart(const String& s) {
    String out;
    for (char16_t c : s)
        if (untouched(c)) out += c;
    return out;
}

// Bytes as characters: ASCII as it is (where the marks and letters are), the rest from the
// shaped letters the second pass takes, and a few awkward units.
String fromBytes(vx::fuzz::Input& in) {
    static constexpr char16_t kHigh[] = {0x00E2, 0x00C2, 0x0103, 0x0102, 0x00EA, 0x00CA,
                                         0x00F4, 0x00D4, 0x01A1, 0x01A0, 0x01B0, 0x01AF,
                                         0x0000, 0xD800, 0xDC00, 0xFFFD};
    String s;
    while (!in.empty()) {
        const std::uint8_t b = in.byte();
        s += b < 0x80 ? static_cast<char16_t>(b) : kHigh[b & 15];
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::fuzz::Input in(data, size);
    const std::uint8_t mode = in.byte();
    String text = (mode & 1) ? in.restAsText() : fromBytes(in);
    // Now and then a long text around the limit, made by repeating the input.
    if ((mode & 0x1E) == 0x1E && !text.empty()) {
        const std::size_t target = 32764 + (mode >> 5) % 6; // both sides of the limit
        String longText;
        while (longText.size() < target) longText += text;
        longText.resize(target);
        text = std::move(longText);
    }

    const String before = text;
    String result;
    const bool converted =
        vx::fuzz::acceptErrors({vx::errOverflow}, [&] { result = vx::VniToUni(text); });
    if (!converted) {
        FUZZ_CHECK(before.size() >= 32767);
        FUZZ_CHECK(text == before);
        return 0;
    }
    FUZZ_CHECK(before.size() < 32767);
    FUZZ_CHECK(result == text);
    FUZZ_CHECK(text.size() <= before.size());
    FUZZ_CHECK(untouchedPart(text) == untouchedPart(before));
    return 0;
}
