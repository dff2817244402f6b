// The property bag as the controls use it: writes and reads under any key, with any value
// and default, and the conversions a reader applies to what it gets back. The bag keeps one
// value per key without regard to case, and a read gives what was last written.
#include "fuzz_input.h"
#include "host/property_bag.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace {

using vx::PropertyValue;
using vx::fuzz::Input;

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Keys from a few letters so that writes meet again, in either case; sometimes empty or
// with any bytes at all.
std::string key(Input& in) {
    const std::uint8_t how = in.byte();
    if (how % 8 == 0) return in.bytes(16);
    static constexpr char kLetters[] = "aAbB";
    std::string k;
    for (int i = 0, n = how % 4; i < n; ++i) k += kLetters[in.byte() % 4];
    return k;
}

PropertyValue value(Input& in) {
    switch (in.byte() % 6) {
    case 0: return PropertyValue(in.raw<double>()); // NaN, infinities, huge, tiny
    case 1: return PropertyValue(static_cast<int>(in.raw<std::int32_t>()));
    case 2: return PropertyValue(static_cast<unsigned>(in.raw<std::uint32_t>()));
    case 3: return PropertyValue(in.text(32));
    case 4: return PropertyValue(vx::FontRef(vx::StdFont::make(in.bytes(8), in.raw<float>())));
    default: return PropertyValue(vx::FontRef()); // no font at all
    }
}

bool isNaN(const PropertyValue& v) {
    return v.isNumber() && std::isnan(v.asNumber());
}

// Every conversion a reader might apply: a wrong kind is Type mismatch, a number out of
// range Overflow, and nothing else may go wrong.
void convertAll(const PropertyValue& v) {
    using vx::errOverflow, vx::errTypeMismatch;
    vx::fuzz::acceptErrors({errTypeMismatch}, [&] { (void)v.asNumber(); });
    vx::fuzz::acceptErrors({errTypeMismatch, errOverflow}, [&] { (void)v.asLong(); });
    vx::fuzz::acceptErrors({errTypeMismatch, errOverflow}, [&] { (void)v.asInteger(); });
    vx::fuzz::acceptErrors({errTypeMismatch}, [&] { (void)v.asBoolean(); });
    vx::fuzz::acceptErrors({errTypeMismatch, errOverflow}, [&] { (void)v.asColor(); });
    vx::fuzz::acceptErrors({errTypeMismatch}, [&] { (void)v.asFont(); });
    vx::String s;
    vx::fuzz::acceptErrors({errTypeMismatch}, [&] { s = v.asString(); });
    FUZZ_CHECK(v.isFont() || !s.empty() || v.isString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    vx::PropertyBag bag;
    // What the bag must hold: lowered key -> last value written, absent after a write of
    // the default.
    std::map<std::string, PropertyValue> model;
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const std::uint8_t op = in.byte() % 3;
        const std::string k = key(in);
        const PropertyValue v = value(in);
        const bool ok = vx::fuzz::acceptErrors({vx::errInvalidCall}, [&] {
            if (op == 0) {
                const PropertyValue d = value(in);
                bag.WriteProperty(k, v, d);
                if (v == d)
                    model.erase(lowered(k));
                else
                    model.insert_or_assign(lowered(k), v);
            } else if (op == 1) {
                bag.WriteProperty(k, v);
                model.insert_or_assign(lowered(k), v);
            } else {
                const PropertyValue got = bag.ReadProperty(k, v);
                const auto it = model.find(lowered(k));
                const PropertyValue& want = it == model.end() ? v : it->second;
                FUZZ_CHECK(got == want || (isNaN(got) && isNaN(want)));
                convertAll(got);
            }
        });
        FUZZ_CHECK(ok == !k.empty()); // only an empty key is refused
        convertAll(v);
    }
    // One entry per key, in any case, and exactly the model's keys.
    FUZZ_CHECK(bag.Contents().size() == model.size());
    for (const auto& [k, v] : bag.Contents()) {
        const auto it = model.find(lowered(k));
        FUZZ_CHECK(it != model.end());
        FUZZ_CHECK(v == it->second || (isNaN(v) && isNaN(it->second)));
        FUZZ_CHECK(bag.contains(k));
    }
    return 0;
}
