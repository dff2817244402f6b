#pragma once
// The saved properties of a user control: one value per key, kept in the order the keys were
// first written. Reading an absent key gives the default; writing a value equal to its
// default stores nothing (and drops a value stored under the key before).
#include "host/font.h"
#include "host/vb_types.h"
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vx {

// A number, a string or a font object. Numbers convert with the program's checked rounding.
class PropertyValue {
  public:
    PropertyValue() = default; // the number 0
    PropertyValue(int v) : v_(static_cast<double>(v)) {}
    PropertyValue(unsigned v) : v_(static_cast<double>(v)) {}
    PropertyValue(double v) : v_(v) {}
    PropertyValue(String v) : v_(std::move(v)) {}
    PropertyValue(const char16_t* v) : v_(String(v)) {}
    PropertyValue(FontRef v) : v_(std::move(v)) {}

    // A colour stored as the signed 32-bit number it is saved as.
    static PropertyValue color(OleColor c) { return PropertyValue(static_cast<Long>(c)); }

    bool isNumber() const { return std::holds_alternative<double>(v_); }
    bool isString() const { return std::holds_alternative<String>(v_); }
    bool isFont() const { return std::holds_alternative<FontRef>(v_); }

    // Conversions to the target's type: Type mismatch (13) for the wrong kind, Overflow (6)
    // for a number out of range.
    double asNumber() const;
    Long asLong() const;
    Integer asInteger() const;
    Boolean asBoolean() const; // any non-zero number is True
    OleColor asColor() const;  // a signed or an unsigned 32-bit number
    String asString() const;   // numbers as decimal text
    FontRef asFont() const;

    // Numbers by value, strings exactly, fonts by their settings.
    bool operator==(const PropertyValue& o) const;

  private:
    std::variant<double, String, FontRef> v_;
};

class PropertyBag {
  public:
    using Entry = std::pair<std::string, PropertyValue>;

    // Keys compare without regard to case; an empty key is an invalid argument (5).
    PropertyValue ReadProperty(std::string_view name, const PropertyValue& defaultValue) const;
    void WriteProperty(std::string_view name, const PropertyValue& value,
                       const PropertyValue& defaultValue);
    void WriteProperty(std::string_view name, const PropertyValue& value);

    bool contains(std::string_view name) const { return find(name) != nullptr; }
    const std::vector<Entry>& Contents() const { return entries_; }
    std::vector<std::string> keys() const;

  private:
    const Entry* find(std::string_view name) const;
    std::vector<Entry> entries_;
};

} // namespace vx
