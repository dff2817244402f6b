// The system code page (UTF-8) to and from UTF-16, and the byte fields of the dialog
// records. Malformed input of either kind becomes U+FFFD; nothing else changes on the way.
#include "dialogs/byte_text.h"
#include "dialogs/code_page.h"
#include "fuzz_input.h"
#include <algorithm>

namespace {

using vx::String;

bool isSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The text with each lone surrogate replaced, as the code page must give it back.
String withLoneSurrogatesReplaced(const String& s) {
    String out = s;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool high = out[i] >= 0xD800 && out[i] <= 0xDBFF;
        if (high && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
            ++i;
            continue;
        }
        if (isSurrogate(out[i])) out[i] = 0xFFFD;
    }
    return out;
}

void checkBytesIn(const std::string& bytes) {
    const String text = vx::fromCodePage(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(withLoneSurrogatesReplaced(text) == text);
    const std::string back = vx::toCodePage(text);
    // What came out is well formed, so it survives another trip unchanged.
    FUZZ_CHECK(vx::fromCodePage(back) == text);
    if (std::find(text.begin(), text.end(), char16_t{0xFFFD}) == text.end())
        FUZZ_CHECK(back == bytes);

    const std::vector<vx::win::BYTE> field(bytes.begin(), bytes.end());
    FUZZ_CHECK(vx::BytesToString(field) == text);
}

void checkTextOut(const String& text, std::size_t fieldSize) {
    const String expected = withLoneSurrogatesReplaced(text);
    const std::string bytes = vx::toCodePage(text);
    FUZZ_CHECK(bytes.size() <= text.size() * 3);
    FUZZ_CHECK(vx::fromCodePage(bytes) == expected);

    // An empty array takes the whole text.
    std::vector<vx::win::BYTE> all;
    String s = text;
    vx::StringToBytes(all, s);
    FUZZ_CHECK(s == text);
    FUZZ_CHECK(std::string(all.begin(), all.end()) == bytes);

    // A sized one keeps its size and holds the text's bytes as far as they fit, then NULs.
    std::vector<vx::win::BYTE> field(fieldSize, 0xAA);
    String t = text;
    vx::StringToBytes(field, t);
    FUZZ_CHECK(field.size() == fieldSize);
    FUZZ_CHECK(t.size() >= fieldSize && t.substr(0, text.size()) == text);
    const std::size_t shown = std::min(bytes.size(), fieldSize);
    FUZZ_CHECK(std::string(field.begin(), field.begin() + shown) == bytes.substr(0, shown));
    FUZZ_CHECK(std::all_of(field.begin() + shown, field.end(), [](auto b) { return b == 0; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vx::fuzz::Input in(data, size);
    const std::size_t fieldSize = 1 + in.byte() % 64; // 0 is the empty array: whole text
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vx::fuzz::acceptErrors({}, [&] {
        checkBytesIn(bytes);
        checkTextOut(in.restAsText(), fieldSize);
    });
    return 0;
}
