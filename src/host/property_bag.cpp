#include "host/property_bag.h"
#include "host/errors.h"
#include "host/numeric.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace vx {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void checkKey(std::string_view name) {
    if (name.empty()) raiseError(errInvalidCall);
}

} // namespace

double PropertyValue::asNumber() const {
    if (const double* d = std::get_if<double>(&v_)) return *d;
    raiseError(errTypeMismatch);
}

Long PropertyValue::asLong() const {
    return CLng(asNumber());
}
Integer PropertyValue::asInteger() const {
    return CInt(asNumber());
}
Boolean PropertyValue::asBoolean() const {
    return toBoolean(asNumber() != 0);
}

OleColor PropertyValue::asColor() const {
    const double r = roundHalfEven(asNumber());
    if (!(r >= -2147483648.0 && r <= 4294967295.0)) raiseError(errOverflow);
    return static_cast<OleColor>(static_cast<long long>(r));
}

String PropertyValue::asString() const {
    if (const String* s = std::get_if<String>(&v_)) return *s;
    const double d = asNumber();
    char buf[32];
    if (std::nearbyint(d) == d && std::fabs(d) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", d);
    else
        std::snprintf(buf, sizeof buf, "%.7g", d);
    const std::string n(buf);
    return String(n.begin(), n.end());
}

FontRef PropertyValue::asFont() const {
    const FontRef* f = std::get_if<FontRef>(&v_);
    if (!f || !*f) raiseError(errTypeMismatch);
    return *f;
}

bool PropertyValue::operator==(const PropertyValue& o) const {
    if (v_.index() != o.v_.index()) return false;
    if (const FontRef* f = std::get_if<FontRef>(&v_)) {
        const FontRef& g = std::get<FontRef>(o.v_);
        return *f == g || (*f && g && **f == *g);
    }
    return v_ == o.v_;
}

const PropertyBag::Entry* PropertyBag::find(std::string_view name) const {
    for (const Entry& e : entries_)
        if (sameKey(e.first, name)) return &e;
    return nullptr;
}

PropertyValue PropertyBag::ReadProperty(std::string_view name,
                                        const PropertyValue& defaultValue) const {
    checkKey(name);
    const Entry* e = find(name);
    return e ? e->second : defaultValue;
}

void PropertyBag::WriteProperty(std::string_view name, const PropertyValue& value,
                                const PropertyValue& defaultValue) {
    checkKey(name);
    if (value == defaultValue) {
        // Reading the key back must give the value, which is now the default.
        std::erase_if(entries_, [&](const Entry& e) { return sameKey(e.first, name); });
        return;
    }
    WriteProperty(name, value);
}

void PropertyBag::WriteProperty(std::string_view name, const PropertyValue& value) {
    checkKey(name);
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return sameKey(e.first, name); });
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace_back(std::string(name), value);
}

std::vector<std::string> PropertyBag::keys() const {
    std::vector<std::string> k;
    for (const Entry& e : entries_) k.push_back(e.first);
    return k;
}

} // namespace vx
